// The intro: its fades, the skip, and the wait on the start picture.
#include "dialogue/title_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "dialogue_events.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "shell/assets.h"

namespace {

constexpr std::uint32_t kSafetyQuitMs = 120000;

// Three fades of 256 steps each way, every step 2 ms of pauses and one
// device read, and the pauses between them.
constexpr std::uint32_t kFadesMs = 6 * 256 * 3 + 2000 + 1000 + 2000 + 2000 + 2500;

bool ShowsStartPicture(HeadlessGame& game) {
  const Surface& start = *pictures::start;
  for (int y = 0; y < kScreenHeight; y += 7) {
    for (int x = 0; x < kScreenWidth; x += 7) {
      if (game.host().VisibleAt(x, y) != start.At(x, y)) return false;
    }
  }
  return true;
}

TEST(TitleSequence, SHeldFromTheStartSkipsToTheStartPicture) {
  for (const char* skip : {"S", "Pad2"}) {
    SCOPED_TRACE(skip);
    HeadlessGame game(std::string("0 ") + skip + "\n");
    game.host().SetQuitAt(kSafetyQuitMs);
    const std::uint32_t start = game.Now();
    TitleSequence();

    // One credit step, the same key ends the wait, then the closing pause.
    EXPECT_GE(game.Now() - start, 1500u);
    EXPECT_LE(game.Now() - start, 1510u);
    EXPECT_TRUE(ShowsStartPicture(game));
    const auto trace = game.TakeTrace();
    EXPECT_EQ(PlayedSounds(trace), (std::vector<std::string>{"intro", "world"}));
    bool introStopped = false;
    for (const auto& line : Events(trace, "sound")) {
      introStopped |= StrField(line, "op") == "stop" && StrField(line, "name") == "intro";
    }
    EXPECT_TRUE(introStopped);
    EXPECT_EQ(SlotStatus(sounds::world) & kSoundPlaying, 0);  // all stopped on the way out
  }
}

TEST(TitleSequence, ConfirmKeysDoNotSkipTheFadesButStartTheGame) {
  for (const char* confirm : {"A", "Pad1"}) {
    SCOPED_TRACE(confirm);
    HeadlessGame game(std::string("0 ") + confirm + "\n");
    game.host().SetQuitAt(kSafetyQuitMs);
    const std::uint32_t start = game.Now();
    TitleSequence();
    EXPECT_GE(game.Now() - start, kFadesMs + 1500);
    EXPECT_LE(game.Now() - start, kFadesMs + 1500 + 10);
    EXPECT_TRUE(ShowsStartPicture(game));
  }
}

TEST(TitleSequence, TheStartPictureWaitsWithTheWorldMusicLooping) {
  HeadlessGame game("0\n30000 S\n");
  game.host().SetQuitAt(kSafetyQuitMs);
  int loopingStatus = 0;
  game.host().SetReadHook([&](std::uint32_t t) {
    if (t == 25000) loopingStatus = SlotStatus(sounds::world);
  });
  TitleSequence();
  EXPECT_EQ(loopingStatus, kSoundPlaying | kSoundLooping);
  EXPECT_GE(game.Now(), 31500u);
  EXPECT_LE(game.Now(), 31502u);
  // The back buffer holds the start picture too, for the first present.
  const Surface& start = *pictures::start;
  EXPECT_EQ(BackBuffer->At(320, 240), start.At(320, 240));
  EXPECT_EQ(BackBuffer->At(5, 470), start.At(5, 470));
}

// Where each line's first glyph has a lit pixel: "W" at x 288, "-" at x 272
// (its bar on row 8) and "P" at x 275, all from y 200.
struct FadeProbe {
  int x, y;
  std::uint32_t from, to;  // the time span of this text's fades
};

TEST(TitleSequence, EachLineFadesUpAndDownInItsOwnColour) {
  HeadlessGame game("0\n20000 A\n");
  game.host().SetQuitAt(kSafetyQuitMs);
  const FadeProbe credit{288, 202, 0, 4000};
  const FadeProbe presents{272, 208, 4540, 8100};
  const FadeProbe title{275, 202, 10100, 14109};  // then the start picture
  std::vector<std::uint16_t> seen[3];
  game.host().SetReadHook([&](std::uint32_t t) {
    const FadeProbe* probes[3] = {&credit, &presents, &title};
    for (int i = 0; i < 3; ++i) {
      if (t >= probes[i]->from && t < probes[i]->to) {
        seen[i].push_back(game.host().VisibleAt(probes[i]->x, probes[i]->y));
      }
    }
  });
  TitleSequence();

  auto brightest = [](const std::vector<std::uint16_t>& v) {
    return *std::max_element(v.begin(), v.end());
  };
  auto allOf = [](const std::vector<std::uint16_t>& v, auto pred) {
    return std::all_of(v.begin(), v.end(), pred);
  };
  for (const auto& s : seen) {
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.back(), 0);  // faded out to black
  }
  EXPECT_EQ(brightest(seen[0]), PixelFromRgb(255, 255, 255));
  EXPECT_TRUE(allOf(seen[0], [](std::uint16_t p) {
    return (p & 0x1F) == ((p >> 5) & 0x1F) && (p & 0x1F) == ((p >> 10) & 0x1F);
  }));
  EXPECT_EQ(brightest(seen[1]), PixelFromRgb(255, 0, 0));
  EXPECT_TRUE(allOf(seen[1], [](std::uint16_t p) { return (p & 0x03FF) == 0; }));
  EXPECT_EQ(brightest(seen[2]), PixelFromRgb(0, 0, 255));
  EXPECT_TRUE(allOf(seen[2], [](std::uint16_t p) { return (p & 0x7FE0) == 0; }));
  // The fades go through the levels one by one: many distinct shades.
  std::vector<std::uint16_t> shades = seen[0];
  std::sort(shades.begin(), shades.end());
  EXPECT_EQ(std::unique(shades.begin(), shades.end()) - shades.begin(), 32);
}

}  // namespace
