// The message box types, waits and clears; the yes/no prompt answers.
#include "dialogue/message_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "dialogue_events.h"
#include "platform/display.h"
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
  FormatLine("%s", std::string(59, 'x').c_str());
  ShowMessage(lineBuffer, 1, kTextWhite);
  EXPECT_EQ(game.Now(), 59u * 50);  // a full line: just under three seconds

  // Leading blanks are typed too; a zero inside is skipped without a pause
  // and leaves a gap.
  FormatLine("%22sHi!", "");
  lineBuffer[23] = 0;
  ShowMessage(lineBuffer, 2, kTextYellow);
  EXPECT_EQ(game.Now(), 59u * 50 + 24 * 50);
  EXPECT_FALSE(CellLit(game, 21, 410));
  EXPECT_TRUE(CellLit(game, 22, 410));
  EXPECT_FALSE(CellLit(game, 23, 410));
  EXPECT_TRUE(CellLit(game, 24, 410));
  for (char c : lineBuffer) ASSERT_EQ(c, 0);

  const auto trace = game.TakeTrace();
  EXPECT_EQ(Messages(trace)[1], (Message{2, 0x32FFFF, Indented(22, "H") + '\0' + "!"}));
  // The record is traced before the first line, and the first line opens
  // the box with its sound.
  auto first = [&](const std::string& ev) {
    return std::find(trace.begin(), trace.end(), Events(trace, ev).at(0)) - trace.begin();
  };
  EXPECT_LT(first("player"), first("message"));
  EXPECT_EQ(Plays(trace, "button2"), 1);
  EXPECT_EQ(FrontSurface->At(18, 378), kRawWhite);
  EXPECT_EQ(FrontSurface->At(20, 380), kRawBlack);
}

TEST(MessageBox, FormattingNeverRunsPastTheLine) {
  HeadlessGame game;
  FormatLine("%s%d", std::string(200, 'y').c_str(), 12345);
  EXPECT_EQ(std::strlen(lineBuffer), 79u);
  ClearLineBuffer();
}

TEST(MessageBox, LineThreeEndsAtOnceOnAHeldAnswerKeyAndOnlyOnThose) {
  for (const char* key : {"A", "S", "Pad1", "Pad2"}) {
    SCOPED_TRACE(key);
    HeadlessGame game(std::string("0 ") + key + "\n");
    NewGame();
    ShowMessage(lineBuffer, 3, kTextWhite);  // empty: only waits
    EXPECT_LE(game.Now(), 1u);
  }
  HeadlessGame game("0 Z Pad0 Left Right Up Down\n2000 S\n");
  game.host().SetQuitAt(10000);
  NewGame();
  ShowMessage(lineBuffer, 3, kTextWhite);
  EXPECT_EQ(game.Now(), 2000u);
}

struct PromptCase {
  const char* name;
  const char* script;
  int answer;
  int clicks;  // one button sound per move of the pointer
};
void PrintTo(const PromptCase& c, std::ostream* out) {
  *out << c.name;
}

class YesNoPrompt : public ::testing::TestWithParam<PromptCase> {};

TEST_P(YesNoPrompt, AnswersAsThePlayerSteers) {
  HeadlessGame game(GetParam().script);
  game.host().SetQuitAt(10000);
  NewGame();
  EXPECT_EQ(AskYesNo(), GetParam().answer);
  const auto trace = game.TakeTrace();
  EXPECT_EQ(IntField(Events(trace, "yesno").at(0), "answer"), GetParam().answer);
  EXPECT_EQ(Plays(trace, "button2"), 1);
  EXPECT_EQ(Plays(trace, "button"), GetParam().clicks);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, YesNoPrompt,
    ::testing::Values(PromptCase{"AHeldIsYesAtOnce", "0 A\n", 1, 0},
                      PromptCase{"Pad1HeldIsYesAtOnce", "0 Pad1\n", 1, 0},
                      PromptCase{"RightThenAIsNo", "0 Right\n40 A\n", 0, 1},
                      PromptCase{"LeftAtYesDoesNothing", "0 Left\n40 A\n", 1, 0},
                      PromptCase{"RightAtNoDoesNothing", "0 Right\n40\n60 PadRight\n100 A\n", 0, 1},
                      PromptCase{"RightThenLeftIsYesAgain", "0 Right\n40 Left\n80 Pad1\n", 1, 2},
                      PromptCase{"SAndPad2DoNothing", "0 S Pad2\n500 A\n", 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
