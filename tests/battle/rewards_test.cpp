// The victory step: exp, gold, the level-up and the waits for S.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/battle.h"
#include "battle/battle_trace.h"
#include "battle/battle_values.h"
#include "battle/rewards.h"
#include "platform/random.h"
#include "shell/player.h"
#include "support/headless_game.h"

namespace {

using Lines = std::vector<std::string>;

// From a new game the first Devil Stone leaves exp at 30, the second brings
// it to 50 = 50 x level 1, and Pim goes up to level 2.
TEST(Rewards, TwoDevilStonesFromANewGameRaiseTheLevel) {
  HeadlessGame game("0 A S\n");
  NewGame();
  SetRandState(1);
  EXPECT_EQ(RunBattle(DevilStone, 43), 1);
  EXPECT_EQ(Player.level, 1);
  game.TakeTrace();
  EXPECT_EQ(RunBattle(DevilStone, 43), 1);
  // Second fight, draws from 9961 on, hero then Devil Stone:
  //   9961%10 + 491%15 - 10 = 2        2995%10 + 11942%10 - 10 -> 0
  //   4827%10 + 5436%15 - 10 = 3       32391%10 + 14604%10 - 10 -> 0
  //   3902%10 + 153%15 - 10 -> 0       292%10 + 12382%10 - 10 = 0
  //   17421%10 + 18716%15 - 10 = 2     19718%10 + 19895%10 - 10 = 3
  //   5447%10 + 21726%15 - 10 = 3: ten in all.
  // Level-up: hp 20 + 14771%10, attack 11538%5, defence 1869%5.
  EXPECT_EQ(
      Texts(game.TakeEvents("message")),
      (Lines{"Devil Stone damaged 2", "Pim damaged 0", "Devil Stone damaged 3", "Pim damaged 0",
             "Devil Stone damaged 0", "Pim damaged 0", "Devil Stone damaged 2", "Pim damaged 3",
             "Devil Stone damaged 3", "recieved 20 EXP", "recieved 20 GOLD", "HP +21 ",
             "Attack +3 ", "Defence +4 ", "Now!! You Level 2"}));
  EXPECT_EQ(Player.level, 2);
  EXPECT_EQ(Player.exp, 50);
  EXPECT_EQ(Player.gold, 60);
  EXPECT_EQ(Player.maxHp, 41);
  EXPECT_EQ(Player.hp, 41);  // healed in full although the fight left 11
  EXPECT_EQ(Player.attack, 18);
  EXPECT_EQ(Player.defence, 14);
}

// Beating Elmo pays nothing, but both lines are shown and the player is
// still waited for; A, the confirm key, does not end that wait.
TEST(Rewards, ElmoPaysNothingAndStillWaits) {
  HeadlessGame game("0 A\n3000 A S\n");
  NewGame();
  currentMonster = elmoStats;
  game.TakeTrace();
  GrantVictoryRewards();
  EXPECT_GE(game.Now(), 3000u);
  const auto trace = game.TakeTrace();
  Lines texts;
  for (const auto& line : trace) {
    if (TraceText(line, "ev") == "message") texts.push_back(TraceText(line, "text"));
  }
  EXPECT_EQ(texts, (Lines{"recieved 0 EXP", "recieved 0 GOLD"}));
  EXPECT_NE(FindEvent(trace, "sound", "name", "g_arm"), "");
  EXPECT_EQ(Player.exp, 10);
  EXPECT_EQ(Player.gold, 20);
  EXPECT_EQ(currentMonster.hp, 0);
  EXPECT_EQ(currentMonster.attack, 0);
  EXPECT_EQ(currentMonster.defence, 0);
}

// The level-up box: A answers its third line but not the waits after it;
// each of the two waits needs S.
TEST(Rewards, LevelUpWaitsForSTwiceMore) {
  HeadlessGame game("0 S\n10 A\n4000 S\n4010 A\n9000 S\n");
  NewGame();
  Player.exp = 40;
  currentMonster = dragonflyStats;
  SetRandState(1);  // gains 20 + 41%10, 18467%5, 6334%5
  game.TakeTrace();
  GrantVictoryRewards();
  EXPECT_GE(game.Now(), 9000u);
  const auto messages = game.TakeEvents("message");
  EXPECT_EQ(Texts(messages), (Lines{"recieved 10 EXP", "recieved 10 GOLD", "HP +21 ", "Attack +2 ",
                                    "Defence +4 ", "Now!! You Level 2"}));
  // The level line came only after S at 4000.
  EXPECT_GE(TraceInt(messages.back(), "t"), 4000);
  EXPECT_EQ(Player.maxHp, 41);
  EXPECT_EQ(Player.attack, 17);
  EXPECT_EQ(Player.defence, 14);
}

}  // namespace
