// What the test player sets out to do: win the game, lose it, or wander for
// hours.
#pragma once

#include <cstdint>

#include "game/bot.h"

// Follows a game to its end: the ending or the game-over picture, back to the
// title and into the fresh game that starts there.
class PlanWithEnd : public Bot {
 public:
  bool MetKing() const { return metKing_; }
  bool EndingSeen() const { return endingSeen_; }
  bool GameOverSeen() const { return gameOverSeen_; }
  // The title came back and a new game has its fresh record.
  bool FreshGameSeen() const { return freshGame_; }
  // Where the hero stood on the world map when the fresh game began.
  Cell RestartCell() const { return restartCell_; }

 protected:
  void Notice(std::string_view line) override;

 private:
  bool metKing_ = false;
  bool endingSeen_ = false;
  bool gameOverSeen_ = false;
  bool backAtTitle_ = false;
  bool freshGame_ = false;
  Cell restartCell_{-1, -1};
};

// Plays to win: herbs first, then the shield and the sword as the gold comes
// in, the inn when hurt, battles in the forest until strong enough, then the
// King and Elmo.
class HeroPlan : public PlanWithEnd {
 public:
  // The level at which, with the sword and the shield, the hero goes for Elmo.
  static constexpr std::int32_t kReadyLevel = 7;
  bool Finished() const override { return EndingSeen() && FreshGameSeen(); }

 protected:
  Intent NextIntent() override;
  int ShopItemWanted() const override { return Wish(); }
  void Notice(std::string_view line) override;

 private:
  bool Ready() const;
  int Wish() const;
  bool WantsRest() const;
  Intent Grind();

  bool restedWhenReady_ = false;
  int grindLeg_ = 0;
};

// Goes to see the King, walks out of his castle and then, in every battle,
// reaches for a herb he does not have: each turn goes to the monster, so the
// first battle after the castle is lost. (Simply fighting on never loses:
// every level gained heals the hero fully.)
class FumblingPlan : public PlanWithEnd {
 public:
  bool Finished() const override { return GameOverSeen() && FreshGameSeen(); }

 protected:
  Intent NextIntent() override;
  // On the way to the King he still fights properly.
  bool WantsHerb() const override { return MetKing(); }

 private:
  int leg_ = 0;
};

// Wanders for as long as the test lets it: random places, random errands in
// the village and the castle, a visit to Elmo now and then; rests at the inn
// when hurt. Its dice are its own, so the game's draw is left alone.
class WanderPlan : public Bot {
 public:
  bool Finished() const override { return false; }
  int Talks() const { return talks_; }
  int Endings() const { return endings_; }

 protected:
  Intent NextIntent() override;
  int ShopItemWanted() const override { return shopItem_; }
  void Notice(std::string_view line) override;

 private:
  std::uint32_t Roll(std::uint32_t sides);
  Intent ChooseOnWorldMap();
  Intent ChooseInTown();
  bool Hurt() const;

  std::uint64_t dice_ = 0x9E3779B97F4A7C15ull;
  Intent current_{};
  std::uint32_t giveUpAt_ = 0;  // virtual ms: a goal not reached by then is dropped
  bool reached_ = true;
  std::int32_t lastState_ = -1;
  int shopItem_ = kHerbItem;
  int talks_ = 0;
  int endings_ = 0;
};
