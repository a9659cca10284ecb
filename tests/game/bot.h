// A player program for whole-game tests. At every keyboard read of the
// headless host it looks at what the game shows (its state, the hero, the
// record, the trace written since the last read) and answers with the
// controls it holds, as a person at the keys would.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "support/headless_game.h"
#include "support/trace_reader.h"
#include "world/tile_map.h"
#include "world/walking.h"

class Bot {
 public:
  // Win: herbs, the shield and the sword as the gold comes in, the inn when
  // hurt, the forest until level 7, then the King and Elmo.
  // Lose: the King, then out west reaching in every battle for a herb he
  // does not have, so the monster has every turn.
  // Alternate: a game won, the next lost, and so on for as long as the test
  // lets it.
  enum Plan { Win, Lose, Alternate };
  static constexpr std::int32_t kReadyLevel = 7;

  explicit Bot(Plan plan) : plan_(plan), playing_(plan == Lose ? Lose : Win) {}
  void Observe(std::string_view line);
  std::uint32_t Controls();
  // Won or lost as planned, and back in a fresh game.
  bool Finished() const { return freshGame_ && (plan_ == Win ? endings : losses); }

  int wins = 0, losses = 0, talks = 0, endings = 0;

 private:
  // The controls held for the next step of the plan.
  std::uint32_t Next();
  std::uint32_t WinNext();
  std::uint32_t Pace(Cell a, Cell b);
  std::uint32_t Conversation();

  Plan plan_, playing_;  // the plan of the run, and of the game under way
  bool inBattle_ = false, metKing_ = false, backAtTitle_ = false, freshGame_ = false;
  bool restedWhenReady_ = false;
  int leg_ = 0;  // which end of a pacing walk is next
  // The Merchant's price list: open, the row under the pointer (worked out
  // from what was held), the row wanted, the move held at the last read.
  std::int32_t talkingTo_ = 0;
  bool inShop_ = false;
  int shopRow_ = 1, shopWanted_ = 0, lastMove_ = 0;
};

// A game on the headless host with a Bot at the keys.
struct BotGame {
  HeadlessGame game;
  std::vector<std::string> trace;  // kept only when asked for
  // Plays until the bot is finished (true) or the clock reaches `limitMs`;
  // `onRead` sees the time of every keyboard read.
  bool Play(Bot& bot, std::uint32_t limitMs, bool keepTrace = true,
            const std::function<void(std::uint32_t)>& onRead = {});
};
