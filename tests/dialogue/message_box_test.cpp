// The message box types, waits and clears; the yes/no prompt answers.
#include "dialogue/message_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/display.h"
#include "state/assets.h"
#include "state/player.h"
#include "support/headless_game.h"
#include "support/trace_reader.h"

namespace {

TEST(MessageBox, TypesEveryNonZeroByteAtFiftyMilliseconds) {
  HeadlessGame game;
  NewGame();
  FormatLine("%s%d", std::string(200, 'y').c_str(), 12345);  // never past the line
  EXPECT_EQ(std::strlen(lineBuffer), 79u);
  ClearLineBuffer();
  FormatLine("%s", std::string(59, 'x').c_str());
  ShowMessage(lineBuffer, 1, kTextWhite);
  EXPECT_EQ(game.Now(), 59u * 50);
  // Leading blanks are typed too; a zero inside is skipped without a pause
  // and leaves its 10-pixel cell (from x 25) empty.
  FormatLine("%22sHi!", "");
  lineBuffer[23] = 0;
  ShowMessage(lineBuffer, 2, kTextYellow);
  EXPECT_EQ(game.Now(), 59u * 50 + 24 * 50);
  for (char c : lineBuffer) ASSERT_EQ(c, 0);
  Surface redrawn = *FrontSurface;
  FillRect(245, 410, 275, 426, kRawBlack, &redrawn);
  DrawTextAt("H", 245, 410, kTextYellow, &redrawn);
  DrawTextAt("!", 265, 410, kTextYellow, &redrawn);
  EXPECT_TRUE(redrawn.pixels == FrontSurface->pixels);

  // The record is traced before the first line, which opens the white frame
  // with its sound.
  const auto trace = game.TakeTrace();
  EXPECT_EQ(Messages(trace)[1], std::string(24, ' ').replace(0, 2, "2Y") + "H\\u0000!");
  EXPECT_LT(std::find(trace.begin(), trace.end(), Events(trace, "player").at(0)),
            std::find(trace.begin(), trace.end(), Events(trace, "message").at(0)));
  EXPECT_EQ(Plays(trace, "button2"), 1);
  EXPECT_EQ(FrontSurface->At(18, 378), kRawWhite);
  EXPECT_EQ(FrontSurface->At(20, 380), kRawBlack);
}

// Line 3 waits for A, S or gamepad 1 or 2 and only those, a held one at once.
TEST(MessageBox, LineThreeWaitsForAnAnswerKey) {
  for (auto [script, until] : {std::pair{"0 A\n", 0u},
                               {"0 S\n", 0u},
                               {"0 Pad1\n", 0u},
                               {"0 Pad2\n", 0u},
                               {"0 Z Pad0 Left Right Up Down\n2000 S\n", 2000u}}) {
    HeadlessGame game(script);
    game.host().SetQuitAt(10000);
    NewGame();
    ShowMessage(lineBuffer, 3, kTextWhite);
    EXPECT_GE(game.Now(), until) << script;
    EXPECT_LE(game.Now(), until + 1) << script;
  }
}

// A and gamepad 1 answer; one button sound per move between YES and NO; Left
// at YES, Right at NO, S and gamepad 2 do nothing.
TEST(YesNoPrompt, AnswersAsThePlayerSteers) {
  const struct {
    const char* script;
    int answer, clicks;
    std::uint32_t at;
  } cases[] = {{"0 A\n", 1, 0, 0},
               {"0 Pad1\n", 1, 0, 0},
               {"0 Left\n40 A\n", 1, 0, 40},
               {"0 Right\n40\n60 PadRight\n100 A\n", 0, 1, 100},
               {"0 Right\n40 Left\n80 Pad1\n", 1, 2, 80},
               {"0 S Pad2\n500 A\n", 1, 0, 500}};
  for (const auto& c : cases) {
    HeadlessGame game(c.script);
    game.host().SetQuitAt(10000);
    NewGame();
    EXPECT_EQ(AskYesNo(), c.answer) << c.script;
    EXPECT_GE(game.Now(), c.at) << c.script;
    const auto trace = game.TakeTrace();
    EXPECT_EQ(Num(Events(trace, "yesno").at(0), "answer"), c.answer) << c.script;
    EXPECT_EQ(Plays(trace, "button2"), 1) << c.script;
    EXPECT_EQ(Plays(trace, "button"), c.clicks) << c.script;
    if (c.clicks == 0) {
      // The prompt stays on the screen: its frame, caption and the pointer at YES.
      Surface expected = *FrontSurface;
      FillRect(506, 316, 622, 354, kRawWhite, &expected);
      FillRect(508, 318, 620, 352, kRawBlack, &expected);
      DrawTextAt("YES       NO", 535, 327, kTextWhite, &expected);
      Rect pointer{0, 64, 32, 96};
      BlitClipped(&expected, 507, 319, pictures::pbattle.get(), pointer, kCopyKeyed);
      EXPECT_TRUE(expected.pixels == FrontSurface->pixels) << c.script;
    }
  }
}

}  // namespace
