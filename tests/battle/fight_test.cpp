// Whole fights against each kind from a known random state. The expected
// blows were worked out by hand from the draws listed beside them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/battle.h"
#include "battle/battle_trace.h"
#include "battle/battle_values.h"
#include "battle/blows.h"
#include "platform/random.h"
#include "shell/player.h"
#include "support/headless_game.h"

namespace {

using Lines = std::vector<std::string>;

// The state the draw reaches from `start` after `draws` draws.
std::uint32_t StateAfter(std::uint32_t start, int draws) {
  const std::uint32_t saved = RandState();
  SetRandState(start);
  for (int i = 0; i < draws; ++i) Rand();
  const std::uint32_t end = RandState();
  SetRandState(saved);
  return end;
}

// A fresh hero fights with A (attack, acknowledge) and S (continue) held.
struct Fight {
  HeadlessGame game{"0 A S\n"};
  Fight(std::uint32_t randState) {
    NewGame();
    SetRandState(randState);
    game.TakeTrace();
  }
};

TEST(Fight, DragonflyFromProcessStart) {
  Fight f(1);
  EXPECT_EQ(RunBattle(Dragonfly, 0), 1);
  // Draws 41 18467 | 6334 26500 | 19169 15724 | 11478 29358 | 26962 24464.
  // Hero: 41%5 + 18467%15 - 5 = 1+2-5 -> 0; 4+4-5 = 3; 2+14-5 = 11.
  // Dragonfly: 6334%10 + 26500%5 - 10 = 4+0-10 -> 0; 8+3-10 = 1.
  const auto trace = f.game.TakeTrace();
  Lines messages;
  for (const auto& line : trace) {
    if (TraceText(line, "ev") == "message") {
      messages.push_back(TraceText(line, "text"));
      EXPECT_EQ(TraceInt(line, "colour"), 0xFFFFFF) << line;
    }
  }
  EXPECT_EQ(messages,
            (Lines{"Dragonfly damaged 0", "Pim damaged 0", "Dragonfly damaged 3", "Pim damaged 1",
                   "Dragonfly damaged 11", "recieved 10 EXP", "recieved 10 GOLD"}));
  EXPECT_EQ(RandState(), StateAfter(1, 10));
  EXPECT_EQ(Player.hp, 19);
  EXPECT_EQ(Player.exp, 20);
  EXPECT_EQ(Player.gold, 30);
  EXPECT_EQ(Player.level, 1);
  EXPECT_EQ(currentMonster.hp, 0);  // the victory step cleared it
  EXPECT_EQ(currentMonster.defence, 0);

  const std::string start = FindEvent(trace, "battle", "ev", "battle");
  EXPECT_EQ(TraceInt(start, "kind"), 1);
  EXPECT_EQ(TraceInt(start, "tile"), 0);
  EXPECT_EQ(TraceInt(FindEvent(trace, "battle_end", "ev", "battle_end"), "won"), 1);
  EXPECT_EQ(TraceInt(FindEvent(trace, "sound", "name", "battle"), "loop"), 1);
  EXPECT_NE(FindEvent(trace, "sound", "op", "stopall"), "");
}

TEST(Fight, DevilStoneFromProcessStart) {
  Fight f(1);
  EXPECT_EQ(RunBattle(DevilStone, 0), 1);
  // Hero: 41%10 + 18467%15 - 10 -> 0; 9+4-10 = 3; 2+14-10 = 6; 1+12-10 = 3.
  // Devil Stone: 4+0-10 -> 0; 8+8-10 = 6; 5+5-10 = 0.
  EXPECT_EQ(Texts(f.game.TakeEvents("message")),
            (Lines{"Devil Stone damaged 0", "Pim damaged 0", "Devil Stone damaged 3",
                   "Pim damaged 6", "Devil Stone damaged 6", "Pim damaged 0",
                   "Devil Stone damaged 3", "recieved 20 EXP", "recieved 20 GOLD"}));
  EXPECT_EQ(RandState(), StateAfter(1, 14));
  EXPECT_EQ(Player.hp, 14);
  EXPECT_EQ(Player.exp, 30);  // 30 / 50 is 0: no level-up yet
  EXPECT_EQ(Player.level, 1);
  EXPECT_EQ(Player.gold, 40);
}

// A new game's hero is no match for Elmo: the loss returns 0 at once, shows
// nothing of its own and leaves Elmo's record as the fight left it.
TEST(Fight, ElmoBeatsANewHero) {
  Fight f(1);
  EXPECT_EQ(RunBattle(Elmo, 10), 0);
  // Hero: 41%50 + 18467%15 - 50 -> 0; 19+4-50 -> 0; 12+14-50 -> 0.
  // Elmo: 6334%10 + 26500%50 - 10 -> 0; 8+8-10 = 6; 5+45-10 = 40.
  const auto trace = f.game.TakeTrace();
  Lines messages;
  for (const auto& line : trace) {
    if (TraceText(line, "ev") == "message") messages.push_back(TraceText(line, "text"));
  }
  EXPECT_EQ(messages, (Lines{"Elmo damaged 0", "Pim damaged 0", "Elmo damaged 0", "Pim damaged 6",
                             "Elmo damaged 0", "Pim damaged 40"}));
  EXPECT_EQ(Player.hp, -26);
  EXPECT_EQ(Player.exp, 10);
  EXPECT_EQ(currentMonster.hp, 100);
  EXPECT_EQ(currentMonster.attack, 50);
  EXPECT_EQ(TraceInt(FindEvent(trace, "battle_end", "ev", "battle_end"), "won"), 0);
  EXPECT_EQ(TraceInt(FindEvent(trace, "sound", "name", "bbattle"), "loop"), 1);
  EXPECT_EQ(FindEvent(trace, "sound", "name", "g_arm"), "");
}

TEST(Fight, StrongHeroBeatsElmo) {
  Fight f(1);
  Player = PlayerRecord{5, 210, 200, 200, 0, 60, 50, 0, 1, 1};
  EXPECT_EQ(RunBattle(Elmo, 10), 1);
  EXPECT_EQ(Texts(f.game.TakeEvents("message")),
            (Lines{"Elmo damaged 38", "Pim damaged 0",  "Elmo damaged 0",  "Pim damaged 0",
                   "Elmo damaged 6",  "Pim damaged 0",  "Elmo damaged 8",  "Pim damaged 2",
                   "Elmo damaged 0",  "Pim damaged 13", "Elmo damaged 15", "Pim damaged 0",
                   "Elmo damaged 14", "Pim damaged 0",  "Elmo damaged 3",  "Pim damaged 23",
                   "Elmo damaged 0",  "Pim damaged 0",  "Elmo damaged 0",  "Pim damaged 29",
                   "Elmo damaged 4",  "Pim damaged 5",  "Elmo damaged 17", "recieved 0 EXP",
                   "recieved 0 GOLD"}));
  EXPECT_EQ(Player.hp, 128);
  EXPECT_EQ(Player.level, 5);  // 210 / 50 is 4, not 5
  EXPECT_EQ(RandState(), StateAfter(1, 46));
}

// Exactly 0 is swung again; a negative try is not, and becomes 0.
TEST(Fight, HeroBlowTries) {
  NewGame();
  currentMonster = dragonflyStats;
  // 120%5 + 14285%15 - 5 = 0+5-5; 9090%5 + 14195%15 - 5 = 0+5-5;
  // 4575%5 + 11661%15 - 5 = 0+6-5 = 1: the third try counts.
  SetRandState(25);
  EXPECT_EQ(HeroBlow(), 1);
  EXPECT_EQ(RandState(), StateAfter(25, 6));
  // 41%5 + 18467%15 - 5 = -2: one try only, a blow of 0.
  SetRandState(1);
  EXPECT_EQ(HeroBlow(), 0);
  EXPECT_EQ(RandState(), StateAfter(1, 2));
  // The monster swings once even at exactly 0: 77%10 + 5628%5 - 10 = 7+3-10.
  SetRandState(12);
  EXPECT_EQ(MonsterBlow(), 0);
  EXPECT_EQ(RandState(), StateAfter(12, 2));
}

TEST(Fight, FiveZeroTriesMakeABlowOfZero) {
  // Draws 21707 13713 | 4753 26507 | 9949 26521 | 15617 31458 | 14369 18481:
  // every try is a%5 + b%15 - 5 = 0, so the first blow is 0 after ten draws;
  // the Dragonfly then draws 31558 18475 and the fight goes on from there.
  Fight f(187254);
  EXPECT_EQ(RunBattle(Dragonfly, 0), 1);
  const Lines messages = Texts(f.game.TakeEvents("message"));
  ASSERT_GE(messages.size(), 3u);
  EXPECT_EQ(messages[0], "Dragonfly damaged 0");
  EXPECT_EQ(messages, (Lines{"Dragonfly damaged 0", "Pim damaged 0", "Dragonfly damaged 0",
                             "Pim damaged 0", "Dragonfly damaged 0", "Pim damaged 0",
                             "Dragonfly damaged 9", "recieved 10 EXP", "recieved 10 GOLD"}));
  EXPECT_EQ(RandState(), StateAfter(187254, 22));
}

}  // namespace
