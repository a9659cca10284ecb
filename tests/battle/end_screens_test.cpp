// The ending and game-over screens and the final confrontation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/battle_trace.h"
#include "battle/end_screens.h"
#include "platform/display.h"
#include "platform/random.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/player.h"
#include "support/headless_game.h"

namespace {

bool Shows(HeadlessGame& game, const Surface* picture) {
  return game.host().Visible() == picture->pixels;
}

// The sounds started and the stops of all of them, in order.
std::vector<std::string> Played(const std::vector<std::string>& trace) {
  std::vector<std::string> names;
  for (const auto& line : trace) {
    if (TraceText(line, "ev") != "sound") continue;
    const std::string op = TraceText(line, "op");
    if (op == "play") names.push_back(TraceText(line, "name"));
    if (op == "stopall") names.push_back(op);
  }
  return names;
}

// Z held when the ending comes up ends it at once, after the picture and the
// music have started.
TEST(EndScreen, EndingLeavesAtOnceOnZ) {
  HeadlessGame game("0 Z\n");
  SetGameState(Ending);
  game.TakeTrace();
  const std::uint32_t start = game.Now();
  ShowEndScreen();
  EXPECT_LT(game.Now() - start, 40u);
  EXPECT_EQ(GameState, Title);
  EXPECT_TRUE(Shows(game, pictures::end.get()));
  const auto trace = game.TakeTrace();
  EXPECT_EQ(Played(trace), (std::vector<std::string>{"world", "stopall"}));
  EXPECT_EQ(TraceInt(FindEvent(trace, "sound", "name", "world"), "loop"), 1);
}

// A and S, which answer the battle and the boxes, do not leave the game-over
// screen; Z does, and so does gamepad button 0.
TEST(EndScreen, GameOverIgnoresAAndS) {
  {
    HeadlessGame game("0 A S\n2000 Z\n");
    SetGameState(WorldMap);
    game.TakeTrace();
    ShowEndScreen();
    EXPECT_GE(game.Now(), 2000u);
    EXPECT_EQ(GameState, Title);
    EXPECT_TRUE(Shows(game, pictures::over.get()));
    EXPECT_EQ(Played(game.TakeTrace()),
              (std::vector<std::string>{"gameover", "gameover2", "stopall"}));
  }
  HeadlessGame pad("0 Pad1 Pad2\n1500 Pad0\n");
  SetGameState(DemonCastle);
  ShowEndScreen();
  EXPECT_GE(pad.Now(), 1500u);
  EXPECT_EQ(GameState, Title);
}

// Lost against Elmo: the game-over picture at once, then the title.
TEST(FinalConfrontation, LostGoesToGameOver) {
  HeadlessGame game("0 A S\n60000 Z\n");
  NewGame();
  SetGameState(DemonCastle);
  SetRandState(1);
  game.TakeTrace();
  FinalConfrontation();
  EXPECT_EQ(GameState, Title);
  EXPECT_GE(game.Now(), 60000u);
  EXPECT_TRUE(Shows(game, pictures::over.get()));
  const auto trace = game.TakeTrace();
  const std::string talk = FindEvent(trace, "talk", "ev", "talk");
  const std::string battle = FindEvent(trace, "battle", "ev", "battle");
  EXPECT_EQ(TraceInt(talk, "person"), 10);
  EXPECT_EQ(TraceInt(battle, "kind"), 10);
  EXPECT_EQ(TraceInt(battle, "tile"), 10);
  EXPECT_LT(TraceInt(talk, "t"), TraceInt(battle, "t"));
  EXPECT_EQ(TraceInt(FindEvent(trace, "battle_end", "ev", "battle_end"), "won"), 0);
  EXPECT_NE(FindEvent(trace, "sound", "name", "gameover"), "");
}

// Won: GameState becomes Ending and the main loop shows the ending.
TEST(FinalConfrontation, WonLeadsToTheEnding) {
  HeadlessGame game("0 A S\n");
  NewGame();
  Player = PlayerRecord{5, 210, 200, 200, 0, 60, 50, 0, 1, 1};
  SetGameState(DemonCastle);
  SetRandState(1);
  game.TakeTrace();
  FinalConfrontation();
  EXPECT_EQ(GameState, Ending);
  const auto trace = game.TakeTrace();
  EXPECT_EQ(TraceInt(FindEvent(trace, "battle_end", "ev", "battle_end"), "won"), 1);
  EXPECT_NE(FindEvent(trace, "message", "text", "recieved 0 EXP"), "");
  EXPECT_EQ(FindEvent(trace, "sound", "name", "gameover"), "");
}

}  // namespace
