// The battle menu, the herb, the turn lengths and the background.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/battle.h"
#include "battle/battle_trace.h"
#include "battle/battle_values.h"
#include "platform/display.h"
#include "platform/random.h"
#include "shell/assets.h"
#include "shell/player.h"
#include "support/headless_game.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kRecovered = "                      HP Recovered";

// Down and A in the same pass: the cursor goes to HERB and the herb is used at
// once. Holding both, the hero then only ever reaches for herbs, finds none
// after the first, and loses without a message of the battle's own.
TEST(BattleMenu, DownAndAUseAHerbAtOnceThenNoneAreLeft) {
  HeadlessGame game("0 Down A S\n");
  NewGame();
  Player.hp = 7;
  Player.herbs = 1;
  game.TakeTrace();
  EXPECT_EQ(RunBattle(Dragonfly, 0), 0);

  const auto messages = game.TakeEvents("message");
  ASSERT_GE(messages.size(), 6u);
  // The herb: an empty first line opens the box, the text, an empty line 3.
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(TraceInt(messages[i], "line"), i + 1);
    EXPECT_EQ(TraceInt(messages[i], "colour"), 0x32FFFF);
  }
  EXPECT_EQ(TraceText(messages[0], "text"), "");
  EXPECT_EQ(TraceText(messages[1], "text"), kRecovered);
  EXPECT_EQ(TraceText(messages[2], "text"), "");

  // Then the Dragonfly and the empty herb bag take turns until Pim falls.
  int damageTaken = 0;
  for (std::size_t i = 3; i < messages.size(); ++i) {
    const std::string text = TraceText(messages[i], "text");
    EXPECT_EQ(TraceInt(messages[i], "colour"), 0xFFFFFF);
    if ((i - 3) % 2 == 0) {
      ASSERT_EQ(text.rfind("Pim damaged ", 0), 0u) << text;
      damageTaken += std::stoi(text.substr(12));
    } else {
      EXPECT_EQ(text, "You not have Herb!!!");
    }
  }
  EXPECT_EQ(TraceText(messages.back(), "text").rfind("Pim damaged ", 0), 0u);
  EXPECT_EQ(Player.herbs, 0);
  EXPECT_EQ(Player.hp, 20 - damageTaken);  // healed to 20 once, then worn down
  EXPECT_LE(Player.hp, 0);
  EXPECT_EQ(currentMonster.hp, 5);  // the loser's record is left as it was
}

// The third, empty line of the herb box waits for the player before the
// monster moves; A held only briefly confirms the choice but does not answer.
TEST(BattleMenu, HerbWaitsForThePlayerBeforeTheMonsterMoves) {
  HeadlessGame game("0 Down\n40 Down A\n60 Down\n8000 S\n");
  NewGame();
  Player.hp = 3;
  Player.herbs = 2;
  game.TakeTrace();
  game.host().SetReadHook([&](std::uint32_t now) {
    if (now > 9000) game.host().RequestQuit();  // the rest of the fight is not wanted
  });
  EXPECT_THROW(RunBattle(Dragonfly, 0), QuitRequest);

  const auto trace = game.TakeTrace();
  const std::string hp = FindEvent(trace, "sound", "name", "hp");
  const std::string strike = FindEvent(trace, "sound", "name", "eattack");
  ASSERT_NE(hp, "");
  ASSERT_NE(strike, "");
  // The text line takes 34 x 50 ms to type; the sound follows it.
  EXPECT_GE(TraceInt(hp, "t"), 40 + 34 * 50);
  EXPECT_LT(TraceInt(hp, "t"), 8000);
  EXPECT_GE(TraceInt(strike, "t"), 8000 + 2 * 200);
  EXPECT_EQ(Player.herbs, 1);
  EXPECT_EQ(cursorRow, 1);
}

// The cursor moves once per press, plays `button` only on a real move, and
// with Up and Down held together it flips from either row.
TEST(BattleMenu, CursorMovesOnlyWhenItCan) {
  HeadlessGame game("0 Up\n100 Down\n300 Up Down\n");
  NewGame();
  std::vector<int> rows;
  game.host().SetReadHook([&](std::uint32_t now) {
    if (rows.empty() || rows.back() != cursorRow) rows.push_back(cursorRow);
    if (now > 400) game.host().RequestQuit();
  });
  game.TakeTrace();
  EXPECT_THROW(RunBattle(Dragonfly, 0), QuitRequest);
  // Up at ATTACK: nothing. Down: HERB. Both: ATTACK, HERB, ATTACK, ...
  ASSERT_GE(rows.size(), 4u);
  EXPECT_EQ(rows[0], 0);
  EXPECT_EQ(rows[1], 1);
  EXPECT_EQ(rows[2], 0);
  EXPECT_EQ(rows[3], 1);
  int moves = 0;
  for (std::size_t i = 1; i < rows.size(); ++i) moves += rows[i] != rows[i - 1];
  int clicks = 0;
  for (const auto& line : game.TakeEvents("sound")) {
    clicks += TraceText(line, "name") == "button" && TraceText(line, "op") == "play";
  }
  EXPECT_EQ(clicks, moves);
}

// The monster's frames at 200 ms each before it strikes: two steps, and a
// third against Elmo.
struct TurnTiming {
  std::vector<int> frames;  // monsterFrame as seen during the monster's turn
  std::int64_t hit = -1;    // ms from the hero's blow to the monster's
  std::string text;         // the message typed in between
};

TurnTiming FirstMonsterTurn(std::int32_t kind, std::int32_t tile) {
  HeadlessGame game("0 A S\n");
  NewGame();
  Player.hp = 1000;
  SetRandState(1);
  TurnTiming timing;
  game.host().SetReadHook([&](std::uint32_t) {
    if (enemyTurn == 1 && (timing.frames.empty() || timing.frames.back() != monsterFrame)) {
      timing.frames.push_back(monsterFrame);
    }
    if (heroHitPending == 0 && enemyTurn == 0 && !timing.frames.empty()) {
      game.host().RequestQuit();
    }
  });
  game.TakeTrace();
  EXPECT_THROW(RunBattle(kind, tile), QuitRequest);
  const auto trace = game.TakeTrace();
  timing.hit = TraceInt(FindEvent(trace, "sound", "name", "eattack"), "t") -
               TraceInt(FindEvent(trace, "sound", "name", "pattack"), "t");
  for (const auto& line : trace) {
    if (TraceText(line, "ev") == "message") {
      timing.text = TraceText(line, "text");
      break;
    }
  }
  return timing;
}

TEST(BattleTurns, ElmoTakesOneStepMore) {
  const TurnTiming dragonfly = FirstMonsterTurn(Dragonfly, 0);
  const TurnTiming elmo = FirstMonsterTurn(Elmo, 10);
  EXPECT_EQ(dragonfly.frames, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(elmo.frames, (std::vector<int>{0, 1, 2, 3}));
  // Between the blows: the hero's message typed at 50 ms a character, then a
  // 200 ms step per frame; the presents in between add a few ms each.
  const std::int64_t dragonflySteps = dragonfly.hit - 50 * dragonfly.text.size();
  const std::int64_t elmoSteps = elmo.hit - 50 * elmo.text.size();
  EXPECT_GE(dragonflySteps, 2 * 200);
  EXPECT_LT(dragonflySteps, 2 * 200 + 100);
  EXPECT_GE(elmoSteps, 3 * 200);
  EXPECT_LT(elmoSteps, 3 * 200 + 100);
}

// The hero's blow comes after three 300 ms steps; the monster's message after
// its 200 ms step and the 100 ms + 100 ms flash around the repeated present.
TEST(BattleTurns, HeroStepsAndTheFlashTakeTheirTime) {
  HeadlessGame game("0 A S\n");
  NewGame();
  Player.hp = 1000;
  SetRandState(1);
  game.host().SetReadHook([&](std::uint32_t now) {
    if (now > 5000) game.host().RequestQuit();
  });
  game.TakeTrace();
  EXPECT_THROW(RunBattle(Dragonfly, 0), QuitRequest);
  const auto trace = game.TakeTrace();
  const std::int64_t blow = TraceInt(FindEvent(trace, "sound", "name", "pattack"), "t");
  const std::int64_t strike = TraceInt(FindEvent(trace, "sound", "name", "eattack"), "t");
  const std::int64_t hurt = TraceInt(FindEvent(trace, "message", "text", "Pim damaged 0"), "t");
  // Two presents at 60 a second fall between the steps.
  EXPECT_GE(blow, 3 * 300);
  EXPECT_LT(blow, 3 * 300 + 50);
  EXPECT_GE(hurt - strike, 200 + 100 + 100);
  EXPECT_LT(hurt - strike, 200 + 100 + 100 + 50);
}

// The background comes from the tile code of the cell the fight broke out on.
TEST(BattleScreen, BackgroundByTileCode) {
  const struct {
    std::int32_t tile;
    int picture;  // 1, 2 or 3
  } cases[] = {{0, 1}, {10, 3}, {43, 2}, {45, 2}, {46, 1}, {56, 2}, {57, 2}, {58, 1}, {59, 2}};
  HeadlessGame game("");
  for (const auto& c : cases) {
    NewGame();
    std::vector<std::uint16_t> shown;
    // At the first read the visible picture holds the background alone; a
    // beaten hero then ends the fight at the top of the next pass.
    game.host().SetReadHook([&](std::uint32_t) {
      if (shown.empty()) shown.assign(FrontSurface->pixels.begin(), FrontSurface->pixels.end());
      Player.hp = 0;
    });
    EXPECT_EQ(RunBattle(Dragonfly, c.tile), 0);
    const Surface* expected = c.picture == 1   ? pictures::battle1.get()
                              : c.picture == 2 ? pictures::battle2.get()
                                               : pictures::battle3.get();
    ASSERT_NE(expected, nullptr);
    EXPECT_TRUE(shown == expected->pixels) << "tile " << c.tile;
  }
  // The three pictures differ, so the comparison above tells them apart.
  EXPECT_FALSE(pictures::battle1->pixels == pictures::battle2->pixels);
  EXPECT_FALSE(pictures::battle1->pixels == pictures::battle3->pixels);
  EXPECT_FALSE(pictures::battle2->pixels == pictures::battle3->pixels);
}

}  // namespace
