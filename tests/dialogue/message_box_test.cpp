// The message box types, waits and clears; the yes/no prompt answers.
#include "dialogue/message_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "dialogue_events.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "shell/assets.h"
#include "shell/player.h"

namespace {

constexpr std::uint32_t kSafetyQuitMs = 120000;  // a wait that never ends fails, not hangs

// Whether any pixel of the character cell at byte position `i` of a line
// was painted in `colour`.
bool CellPainted(HeadlessGame& game, int i, int top, std::uint32_t colour) {
  for (int y = top; y < top + 16; ++y) {
    for (int x = 25 + 10 * i; x < 25 + 10 * i + 10; ++x) {
      if (game.host().VisibleAt(x, y) == PixelFromColorref(colour)) return true;
    }
  }
  return false;
}

TEST(MessageBox, TypesEveryNonZeroByteAtFiftyMilliseconds) {
  HeadlessGame game;
  game.host().SetQuitAt(kSafetyQuitMs);
  NewGame();

  // A full 59-character line: just under three seconds, no wait on line 1.
  FormatLine("%s", std::string(59, 'x').c_str());
  std::uint32_t start = game.Now();
  ShowMessage(lineBuffer, 1, kTextWhite);
  EXPECT_EQ(game.Now() - start, 59u * 50);

  // Leading blanks are typed too: the first letter comes after 22 x 50 ms.
  FormatLine("%22sHi", "");
  start = game.Now();
  ShowMessage(lineBuffer, 2, kTextYellow);
  EXPECT_EQ(game.Now() - start, 24u * 50);
  EXPECT_FALSE(CellPainted(game, 21, 410, kTextYellow));
  EXPECT_TRUE(CellPainted(game, 22, 410, kTextYellow));
  EXPECT_TRUE(CellPainted(game, 23, 410, kTextYellow));

  const auto messages = TakeMessages(game);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].line, 2);
  EXPECT_EQ(messages[1].colour, 0x32FFFFu);
  EXPECT_EQ(messages[1].text, Indented(22, "Hi"));
}

TEST(MessageBox, AZeroInsideTheLineLeavesAGapAndTheRestStillShows) {
  HeadlessGame game;
  NewGame();
  std::memcpy(lineBuffer, "AB\0D", 4);
  const std::uint32_t start = game.Now();
  ShowMessage(lineBuffer, 1, kTextWhite);

  EXPECT_EQ(game.Now() - start, 3u * 50);  // the zero is skipped without a pause
  EXPECT_FALSE(CellPainted(game, 2, 385, kTextWhite));
  EXPECT_TRUE(CellPainted(game, 3, 385, kTextWhite));
  const auto messages = TakeMessages(game);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, std::string("AB\0D", 4));
  // The buffer is left all zero for the next writer.
  for (char c : lineBuffer) ASSERT_EQ(c, 0);
}

TEST(MessageBox, EmptyLineOneOpensAFramedBoxWithItsSoundAndNoPause) {
  HeadlessGame game;
  NewGame();
  DrawTextAt("old text", 30, 390, kTextWhite, FrontSurface);
  const std::uint32_t start = game.Now();
  ShowMessage(lineBuffer, 1, kTextWhite);

  EXPECT_EQ(game.Now(), start);
  const auto trace = game.TakeTrace();
  EXPECT_EQ(PlayedSounds(trace), std::vector<std::string>{"button2"});
  // Frame two pixels wide in white, the inside wiped black.
  EXPECT_EQ(FrontSurface->At(18, 378), kRawWhite);
  EXPECT_EQ(FrontSurface->At(19, 461), kRawWhite);
  EXPECT_EQ(FrontSurface->At(621, 420), kRawWhite);
  EXPECT_EQ(FrontSurface->At(17, 420), kRawBlack);
  for (int x = 20; x < 620; ++x) {
    for (int y = 380; y < 460; ++y) ASSERT_EQ(FrontSurface->At(x, y), kRawBlack) << x << "," << y;
  }
}

TEST(MessageBox, LineFormattingNeverRunsPastTheBuffer) {
  HeadlessGame game;
  FormatLine("%s%d", std::string(200, 'y').c_str(), 12345);
  EXPECT_EQ(std::strlen(lineBuffer), 79u);
  EXPECT_EQ(lineBuffer[79], 0);
  ClearLineBuffer();
}

TEST(MessageBox, TheFirstLineTracesThePlayerRecordFirst) {
  HeadlessGame game;
  NewGame();
  game.TakeTrace();
  Player.gold = 77;
  FormatLine("Hello");
  ShowMessage(lineBuffer, 1, kTextWhite);
  const auto trace = game.TakeTrace();
  ASSERT_EQ(Events(trace, "player").size(), 1u);
  ASSERT_EQ(Events(trace, "message").size(), 1u);
  EXPECT_LT(std::find(trace.begin(), trace.end(), Events(trace, "player")[0]),
            std::find(trace.begin(), trace.end(), Events(trace, "message")[0]));
}

// Line 3 waits for any of A, S, gamepad 1 or gamepad 2, and one already held
// when the text is typed counts at once.
class LineThreeWait : public ::testing::TestWithParam<const char*> {};

TEST_P(LineThreeWait, AHeldAnswerKeyAcknowledgesAtOnce) {
  HeadlessGame game(std::string("0 ") + GetParam() + "\n");
  game.host().SetQuitAt(kSafetyQuitMs);
  NewGame();
  FormatLine("Hi");
  const std::uint32_t start = game.Now();
  ShowMessage(lineBuffer, 3, kTextWhite);
  EXPECT_LE(game.Now() - start, 2u * 50 + 2);
}

INSTANTIATE_TEST_SUITE_P(AnswerKeys, LineThreeWait, ::testing::Values("A", "S", "Pad1", "Pad2"));

TEST(MessageBox, LineThreeWaitsUntilAnAnswerKeyAndIgnoresOthers) {
  HeadlessGame game("0 Z Pad0 Left\n2000 S\n");
  game.host().SetQuitAt(kSafetyQuitMs);
  NewGame();
  ShowMessage(lineBuffer, 3, kTextWhite);  // empty: draws nothing, only waits
  EXPECT_GE(game.Now(), 2000u);
  EXPECT_LE(game.Now(), 2002u);
  EXPECT_TRUE(PlayedSounds(game.TakeTrace()).empty());
}

struct PromptCase {
  const char* name;
  const char* script;
  int answer;
  int clicks;  // button sounds: one per move of the pointer
};

void PrintTo(const PromptCase& c, std::ostream* out) {
  *out << c.name;
}

class YesNoPrompt : public ::testing::TestWithParam<PromptCase> {};

TEST_P(YesNoPrompt, AnswersAsThePlayerSteers) {
  const PromptCase& c = GetParam();
  HeadlessGame game(c.script);
  game.host().SetQuitAt(kSafetyQuitMs);
  NewGame();
  EXPECT_EQ(AskYesNo(), c.answer);

  const auto trace = game.TakeTrace();
  const auto answers = Events(trace, "yesno");
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(IntField(answers[0], "answer"), c.answer);
  const auto sounds = PlayedSounds(trace);
  ASSERT_FALSE(sounds.empty());
  EXPECT_EQ(sounds[0], "button2");  // the prompt opens with it
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "button"), c.clicks);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, YesNoPrompt,
    ::testing::Values(PromptCase{"AHeldAnswersYesAtOnce", "0 A\n", 1, 0},
                      PromptCase{"Pad1HeldAnswersYesAtOnce", "0 Pad1\n", 1, 0},
                      PromptCase{"RightThenAAnswersNo", "0 Right\n40 A\n", 0, 1},
                      PromptCase{"PadRightThenPad1AnswersNo", "0 PadRight\n40 Pad1\n", 0, 1},
                      PromptCase{"LeftAtYesDoesNothing", "0 Left\n40 A\n", 1, 0},
                      PromptCase{"RightAtNoDoesNothing", "0 Right\n40\n60 Right\n100 A\n", 0, 1},
                      PromptCase{"RightThenLeftComesBackToYes", "0 Right\n40 Left\n80 A\n", 1, 2},
                      PromptCase{"SAndPad2DoNothing", "0 S Pad2\n500 A\n", 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(YesNoPrompt, DrawsTheBoxCaptionAndPointerAndLeavesThem) {
  HeadlessGame game("0 Right\n40 A\n");
  game.host().SetQuitAt(kSafetyQuitMs);
  NewGame();
  AskYesNo();
  EXPECT_EQ(FrontSurface->At(506, 316), kRawWhite);
  EXPECT_EQ(FrontSurface->At(621, 353), kRawWhite);
  EXPECT_EQ(FrontSurface->At(508, 318), kRawBlack);
  // Some caption pixel in white to the right of the YES pointer's cell.
  bool caption = false;
  for (int x = 535; x < 560; ++x) {
    for (int y = 327; y < 343; ++y) caption |= FrontSurface->At(x, y) == kRawWhite;
  }
  EXPECT_TRUE(caption);
  EXPECT_TRUE(CursorDrawnAt(FrontSurface, 563, 319));
}

}  // namespace
