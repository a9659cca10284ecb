// A player program for whole-game tests. At every keyboard read of the
// headless host it looks at what the game shows (its state, the hero, the
// record, the battle and the talk in progress, the event trace written since
// the last read) and answers with the controls it holds, as a person at the
// keys would. A Bot knows how to get through each screen; what the player
// wants to do next is left to a plan (a subclass).
#pragma once

#include <cstdint>
#include <string_view>

#include "world/walking.h"

// People by their PersonId (their actor slot too).
enum Person : std::int32_t {
  kMerchant = 1,
  kGirl = 2,
  kBoy = 3,
  kBellboy = 4,
  kWoman = 5,
  kSoldier = 6,
  kMinister = 7,
  kKing = 8,
  kElmoPerson = 10,
};

// The shop's rows.
enum ShopItem : int { kNoItem = 0, kHerbItem = 1, kSwordItem = 2, kShieldItem = 3 };

// What the player means to do while walking.
struct Intent {
  enum Kind {
    Stand,       // hold nothing
    EnterPlace,  // world map: walk onto the picture of `place` (a GameState)
    WalkTo,      // walk to `cell` on the current map
    TalkTo,      // in a town: speak to `person`
    LeaveTown,   // in a town: walk out over the bottom edge
    MeetElmo,    // Elmo's castle: walk up to him
  };
  Kind kind = Stand;
  std::int32_t place = 0;
  Cell cell{0, 0};
  std::int32_t person = 0;
};

class Bot {
 public:
  virtual ~Bot() = default;

  // One line of the event trace, in the order written.
  void Observe(std::string_view line);
  // The controls to hold from this keyboard read on (Control bits).
  std::uint32_t Controls(std::uint32_t now);
  // The plan has seen what it wanted to see: the run can stop.
  virtual bool Finished() const = 0;

  int Wins() const { return wins_; }
  int Losses() const { return losses_; }

 protected:
  // What to do next while the hero stands free on the current map.
  virtual Intent NextIntent() = 0;
  // In a battle, at the hero's choice: eat a herb rather than attack.
  virtual bool WantsHerb() const;
  // Talking to the Merchant: the row to buy, decided when the talk starts.
  virtual int ShopItemWanted() const { return kHerbItem; }
  // Every trace line, after the Bot itself has taken note of it.
  virtual void Notice(std::string_view line) { (void)line; }

  std::uint32_t Now() const { return now_; }
  bool InBattle() const { return inBattle_; }

 private:
  std::uint32_t BattleControls() const;
  std::uint32_t ConversationControls();
  std::uint32_t WalkingControls();
  std::uint32_t TalkControls(std::int32_t person) const;
  void NoteShopEvent(std::string_view line);

  std::uint32_t now_ = 0;
  bool inBattle_ = false;
  int wins_ = 0;
  int losses_ = 0;
  // The Merchant's price list while it is open: the row under the pointer
  // (worked out from what was held at each read) and the row wanted.
  std::int32_t talkingTo_ = 0;
  bool inShopMenu_ = false;
  int menuReads_ = 0;
  int shopRow_ = 1;
  int shopTarget_ = kNoItem;
  int lastMenuMove_ = 0;  // +1 Down, -1 Up, 0 none
};
