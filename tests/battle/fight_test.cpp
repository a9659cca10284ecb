// Whole fights from a known random state, the victory step, the final
// confrontation and the end screens. The expected blows were worked out by
// hand from the draws listed beside them.
#include <gtest/gtest.h>

#include "battle/battle.h"
#include "battle/battle_values.h"
#include "battle/end_screens.h"
#include "battle/rewards.h"
#include "platform/display.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "state/assets.h"
#include "state/game_state.h"
#include "state/player.h"
#include "support/headless_game.h"
#include "support/trace_reader.h"

namespace {

const PlayerRecord kStrongHero{5, 210, 200, 200, 0, 60, 50, 0, 1, 1};

// The messages of a fight, after those of the fights before it: the
// monster's damage and the hero's in turn, then `after`.
Lines Blows(const std::string& monster, const std::vector<int>& damages, const Lines& after,
            Lines out = {}) {
  for (std::size_t i = 0; i < damages.size(); ++i) {
    out.push_back((i % 2 == 0 ? monster : "Pim") + " damaged " + std::to_string(damages[i]));
  }
  out.insert(out.end(), after.begin(), after.end());
  return out;
}

std::vector<std::int32_t> Fields(const PlayerRecord& p) {
  return {p.level,  p.exp,     p.hp,    p.maxHp,    p.gold,
          p.attack, p.defence, p.herbs, p.hasSword, p.hasShield};
}

struct FightCase {
  std::int32_t kind, tile;
  std::uint32_t randState;
  bool strongHero;
  int fights, won, draws;
  PlayerRecord after;
  std::int32_t monsterHpLeft;
  const char* music;
  Lines messages;  // of all the fights
};

// A fresh (or strong) hero fights with A (attack, acknowledge) and S held.
TEST(Fight, BlowByBlowAgainstEachKind) {
  const Lines pays10{"recieved 10 EXP", "recieved 10 GOLD"};
  const Lines pays20{"recieved 20 EXP", "recieved 20 GOLD"};
  const FightCase cases[] = {
      // Draws 41 18467 | 6334 26500 | 19169 15724 | 11478 29358 | 26962 24464.
      // Hero: 41%5 + 18467%15 - 5 = 1+2-5 -> 0; 4+4-5 = 3; 2+14-5 = 11.
      // Dragonfly: 6334%10 + 26500%5 - 10 = 4+0-10 -> 0; 8+3-10 = 1.
      {Dragonfly, 0, 1, false, 1, 1, 10, PlayerRecord{1, 20, 19, 20, 30, 15, 10, 0, 0, 0}, 0,
       "battle", Blows("Dragonfly", {0, 0, 3, 1, 11}, pays10)},
      // Hero: 41%10 + 18467%15 - 10 -> 0; 9+4-10 = 3; 2+14-10 = 6; 1+12-10 = 3.
      // Devil Stone: 4+0-10 -> 0; 8+8-10 = 6; 5+5-10 = 0. Exp 30 / 50: no level.
      // The second Devil Stone brings exp to 50 = 50 x level 1: level 2, healed
      // in full. Its draws from 9961 on, hero then Devil Stone:
      //   9961%10 + 491%15 - 10 = 2        2995%10 + 11942%10 - 10 -> 0
      //   4827%10 + 5436%15 - 10 = 3       32391%10 + 14604%10 - 10 -> 0
      //   3902%10 + 153%15 - 10 -> 0       292%10 + 12382%10 - 10 = 0
      //   17421%10 + 18716%15 - 10 = 2     19718%10 + 19895%10 - 10 = 3
      //   5447%10 + 21726%15 - 10 = 3
      // Level-up: hp 20 + 14771%10, attack 11538%5, defence 1869%5.
      {DevilStone, 43, 1, false, 2, 1, 35, PlayerRecord{2, 50, 41, 41, 60, 18, 14, 0, 0, 0}, 0,
       "battle",
       Blows("Devil Stone", {2, 0, 3, 0, 0, 0, 2, 3, 3},
             {"recieved 20 EXP", "recieved 20 GOLD", "HP +21 ", "Attack +3 ", "Defence +4 ",
              "Now!! You Level 2"},
             Blows("Devil Stone", {0, 0, 3, 6, 6, 0, 3}, pays20))},
      // Hero: 41%50 + 18467%15 - 50 -> 0; 19+4-50 -> 0; 12+14-50 -> 0.
      // Elmo: 6334%10 + 26500%50 - 10 -> 0; 8+8-10 = 6; 5+45-10 = 40.
      // The loss shows nothing of its own and leaves Elmo's record as it was.
      {Elmo, 10, 1, false, 1, 0, 12, PlayerRecord{1, 10, -26, 20, 20, 15, 10, 0, 0, 0}, 100,
       "bbattle", Blows("Elmo", {0, 0, 0, 6, 0, 40}, {})},
      // Beaten, Elmo pays nothing; 210 / 50 is 4, so no level-up either.
      {Elmo, 10, 1, true, 1, 1, 46, PlayerRecord{5, 210, 128, 200, 0, 60, 50, 0, 1, 1}, 0,
       "bbattle",
       Blows("Elmo", {38, 0, 0, 0, 6, 0, 8, 2, 0, 13, 15, 0, 14, 0, 3, 23, 0, 0, 0, 29, 4, 5, 17},
             {"recieved 0 EXP", "recieved 0 GOLD"})},
      // Draws 21707 13713 | 4753 26507 | 9949 26521 | 15617 31458 | 14369 18481:
      // five tries of a%5 + b%15 - 5 = 0 make a first blow of 0 after ten draws.
      {Dragonfly, 0, 187254, false, 1, 1, 22, PlayerRecord{1, 20, 20, 20, 30, 15, 10, 0, 0, 0}, 0,
       "battle", Blows("Dragonfly", {0, 0, 0, 0, 0, 0, 9}, pays10)},
  };
  for (const FightCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " from " << c.randState);
    HeadlessGame game("0 A S\n");
    NewGame();
    if (c.strongHero) Player = kStrongHero;
    SetRandState(c.randState);
    game.TakeTrace();
    for (int i = 0; i < c.fights; ++i) EXPECT_EQ(RunBattle(c.kind, c.tile), c.won);
    const auto trace = game.TakeTrace();
    EXPECT_EQ(Texts(trace), c.messages);
    for (const auto& line : Events(trace, "message")) EXPECT_EQ(Num(line, "colour"), 0xFFFFFF);
    const std::uint32_t end = RandState();
    SetRandState(c.randState);
    for (int i = 0; i < c.draws; ++i) Rand();
    EXPECT_EQ(end, RandState()) << "draws";
    EXPECT_EQ(Fields(Player), Fields(c.after));
    EXPECT_EQ(currentMonster.hp, c.monsterHpLeft);
    EXPECT_EQ(Num(Find(trace, "battle_end"), "won"), c.won);
    EXPECT_EQ(Num(Find(trace, "sound", "name", c.music), "loop"), 1);
    EXPECT_EQ(Find(trace, "sound", "name", "g_arm") != "", c.won == 1);
    EXPECT_NE(Find(trace, "sound", "op", "stopall"), "");
  }
}

// Every wait of the victory step needs S; A, the confirm key, does not end
// one. Elmo pays nothing and is still waited for; a level-up waits twice
// more, for S at 4000 and, once S was let go, for S at 9000.
TEST(Rewards, EachWaitNeedsS) {
  for (auto [monster, exp, script, until] :
       {std::tuple{&elmoStats, 10, "0 A\n3000 A S\n", 3000u},
        {&dragonflyStats, 40, "0 S\n10 A\n4000 S\n4010 A\n9000 S\n", 9000u}}) {
    HeadlessGame game(script);
    NewGame();
    Player.exp = exp;
    currentMonster = *monster;
    GrantVictoryRewards();
    EXPECT_GE(game.Now(), until) << script;
    EXPECT_EQ(Player.level, exp == 40 ? 2 : 1);
  }
}

// Only Z or gamepad button 0 leaves an end screen: A and S answer the battle
// and the boxes. Lost against Elmo: the game-over picture, then the title.
TEST(EndScreen, OnlyZOrPadZeroLeaves) {
  const struct {
    std::int32_t state;
    const char* script;
    std::uint32_t leaveAt;
    Lines sounds;
  } cases[] = {
      {Ending, "0 Z\n", 0, {"world", "stopall"}},
      {WorldMap, "0 A S\n2000 Z\n", 2000, {"gameover", "gameover2", "stopall"}},
      {DemonCastle, "0 Pad1 Pad2\n1500 Pad0\n", 1500, {"gameover", "gameover2", "stopall"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    HeadlessGame game(c.script);
    SetGameState(c.state);
    game.TakeTrace();
    ShowEndScreen();
    EXPECT_GE(game.Now(), c.leaveAt);
    EXPECT_LT(game.Now(), c.leaveAt + 40);
    EXPECT_EQ(GameState, Title);
    const Surface* picture = c.state == Ending ? pictures::end.get() : pictures::over.get();
    EXPECT_TRUE(game.host().Visible() == picture->pixels);
    Lines played;
    for (const auto& line : game.TakeEvents("sound")) {
      const std::string op = Field(line, "op");
      if (op == "play" || op == "stopall")
        played.push_back(op == "play" ? Field(line, "name") : op);
    }
    EXPECT_EQ(played, c.sounds);
  }
}

TEST(FinalConfrontation, ElmoSpeaksThenFightsAndTheOutcomeLeads) {
  for (bool strong : {false, true}) {
    SCOPED_TRACE(strong ? "won" : "lost");
    HeadlessGame game("0 A S\n60000 Z\n");
    NewGame();
    if (strong) Player = kStrongHero;
    SetGameState(DemonCastle);
    SetRandState(1);
    // Elmo's castle music plays on beside the battle's own.
    PlaySlot(sounds::castle2, kPlayLooped);
    int bothPlaying = 0;
    game.host().SetReadHook([&](std::uint32_t) {
      bothPlaying += heroActing == 1 &&
                     SlotStatus(sounds::castle2) == (kSoundPlaying | kSoundLooping) &&
                     SlotStatus(sounds::bbattle) == (kSoundPlaying | kSoundLooping);
    });
    game.TakeTrace();
    FinalConfrontation();
    EXPECT_GT(bothPlaying, 0);
    const auto trace = game.TakeTrace();
    const std::string talk = Find(trace, "talk"), battle = Find(trace, "battle");
    EXPECT_EQ(Num(talk, "person"), 10);
    EXPECT_TRUE(Has(battle, "\"kind\":10,\"tile\":10")) << battle;
    EXPECT_LT(Num(talk, "t"), Num(battle, "t"));
    EXPECT_EQ(Num(Find(trace, "battle_end"), "won"), strong ? 1 : 0);
    EXPECT_EQ(GameState, strong ? Ending : Title);
    EXPECT_TRUE(strong || game.host().Visible() == pictures::over->pixels);
  }
}

}  // namespace
