// The message box types, waits and clears; the yes/no prompt answers.
#include "dialogue/message_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "dialogue_events.h"
#include "shell/player.h"

namespace {

// Whether the character cell at byte position i of a line has a lit pixel.
bool CellLit(HeadlessGame& game, int i, int top) {
  for (int y = top; y < top + 16; ++y) {
    for (int x = 25 + 10 * i; x < 35 + 10 * i; ++x) {
      if (game.host().VisibleAt(x, y) != kRawBlack) return true;
    }
  }
  return false;
}

TEST(MessageBox, TypesEveryNonZeroByteAtFiftyMilliseconds) {
  HeadlessGame game;
  NewGame();
  FormatLine("%s%d", std::string(200, 'y').c_str(), 12345);  // never past the line
  EXPECT_EQ(std::strlen(lineBuffer), 79u);
  ClearLineBuffer();
  FormatLine("%s", std::string(59, 'x').c_str());
  ShowMessage(lineBuffer, 1, kTextWhite);
  EXPECT_EQ(game.Now(), 59u * 50);  // a full line: just under three seconds

  // Leading blanks are typed too; a zero inside is skipped without a pause
  // and leaves a gap.
  FormatLine("%22sHi!", "");
  lineBuffer[23] = 0;
  ShowMessage(lineBuffer, 2, kTextYellow);
  EXPECT_EQ(game.Now(), 59u * 50 + 24 * 50);
  const bool lit[] = {false, true, false, true};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(CellLit(game, 21 + i, 410), lit[i]) << 21 + i;
  for (char c : lineBuffer) ASSERT_EQ(c, 0);
  Surface redrawn = *FrontSurface;  // each byte in its own 10-pixel cell from x 25
  DrawTextAt("H", 25 + 10 * 22, 410, kTextYellow, &redrawn);
  DrawTextAt("!", 25 + 10 * 24, 410, kTextYellow, &redrawn);
  EXPECT_TRUE(redrawn.pixels == FrontSurface->pixels);

  const auto trace = game.TakeTrace();
  EXPECT_EQ(Messages(trace)[1], (Message{2, 0x32FFFF, Indented(22, "H") + '\0' + "!"}));
  // The record is traced before the first line, and the first line opens
  // the box, framed in white, with its sound.
  auto first = [&](const std::string& ev) {
    return std::find(trace.begin(), trace.end(), Events(trace, ev).at(0)) - trace.begin();
  };
  EXPECT_LT(first("player"), first("message"));
  EXPECT_EQ(Plays(trace, "button2"), 1);
  EXPECT_EQ(FrontSurface->At(18, 378), kRawWhite);
  EXPECT_EQ(FrontSurface->At(20, 380), kRawBlack);
}

// Line 3 waits for A, S or gamepad 1 or 2, a held one ending it at once.
TEST(MessageBox, LineThreeWaitsForAnAnswerKeyAndOnlyThose) {
  for (auto [script, until] : {std::pair{"0 A\n", 0u},
                               {"0 S\n", 0u},
                               {"0 Pad1\n", 0u},
                               {"0 Pad2\n", 0u},
                               {"0 Z Pad0 Left Right Up Down\n2000 S\n", 2000u}}) {
    HeadlessGame game(script);
    game.host().SetQuitAt(10000);
    NewGame();
    ShowMessage(lineBuffer, 3, kTextWhite);  // empty: only waits
    EXPECT_GE(game.Now(), until) << script;
    EXPECT_LE(game.Now(), until + 1) << script;
  }
}

// A and gamepad 1 answer; the pointer moves between YES and NO with one
// button sound per move; Left at YES, Right at NO, S and gamepad 2 do nothing.
TEST(YesNoPrompt, AnswersAsThePlayerSteers) {
  const struct {
    const char* script;
    int answer, clicks;
    std::uint32_t at;  // when the answer is given
  } cases[] = {
      {"0 A\n", 1, 0, 0},
      {"0 Pad1\n", 1, 0, 0},
      {"0 Right\n40 A\n", 0, 1, 40},
      {"0 Left\n40 A\n", 1, 0, 40},
      {"0 Right\n40\n60 PadRight\n100 A\n", 0, 1, 100},
      {"0 Right\n40 Left\n80 Pad1\n", 1, 2, 80},
      {"0 S Pad2\n500 A\n", 1, 0, 500},
  };
  for (const auto& c : cases) {
    HeadlessGame game(c.script);
    game.host().SetQuitAt(10000);
    NewGame();
    EXPECT_EQ(AskYesNo(), c.answer) << c.script;
    EXPECT_GE(game.Now(), c.at) << c.script;
    const auto trace = game.TakeTrace();
    EXPECT_EQ(IntField(Events(trace, "yesno").at(0), "answer"), c.answer) << c.script;
    EXPECT_EQ(Plays(trace, "button2"), 1) << c.script;
    EXPECT_EQ(Plays(trace, "button"), c.clicks) << c.script;
  }
}

}  // namespace
