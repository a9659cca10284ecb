// The intro: the skip, the fades in their colours, the wait on the start picture.
#include "dialogue/title_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "dialogue_events.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "shell/assets.h"

namespace {

// Six fades of 256 steps, each step 2 ms of pauses and one device read, and
// the pauses between them.
constexpr std::uint32_t kFadesMs = 6 * 256 * 3 + 2000 + 1000 + 2000 + 2000 + 2500;

bool ShowsStartPicture(HeadlessGame& game) {
  for (int y = 0; y < kScreenHeight; y += 7) {
    for (int x = 0; x < kScreenWidth; x += 7) {
      if (game.host().VisibleAt(x, y) != pictures::start->At(x, y)) return false;
    }
  }
  return BackBuffer->At(320, 240) == pictures::start->At(320, 240);
}

TEST(TitleSequence, SHeldFromTheStartSkipsAfterTheFirstCreditStep) {
  for (const char* skip : {"S", "Pad2"}) {
    HeadlessGame game(std::string("0 ") + skip + "\n");
    TitleSequence();
    // 1 ms, the drawing, 1 ms, the read; the same key ends the wait at once.
    EXPECT_EQ(game.Now(), 3u + 1 + 1500) << skip;
    EXPECT_TRUE(ShowsStartPicture(game));
    const auto trace = game.TakeTrace();
    EXPECT_EQ(Plays(trace, "world"), 1);
    const auto sounds = Events(trace, "sound");
    EXPECT_NE(sounds.at(1).find("\"op\":\"stop\",\"name\":\"intro\""), std::string::npos);
    EXPECT_EQ(SlotStatus(sounds::world) & kSoundPlaying, 0);  // all stopped at the end
  }
}

TEST(TitleSequence, ConfirmKeysDoNotSkipTheFadesButStartTheGame) {
  for (const char* confirm : {"A", "Pad1"}) {
    HeadlessGame game(std::string("0 ") + confirm + "\n");
    TitleSequence();
    EXPECT_EQ(game.Now(), kFadesMs + 1 + 1500) << confirm;
    EXPECT_TRUE(ShowsStartPicture(game));
  }
}

TEST(TitleSequence, EachLineFadesUpAndDownInItsOwnColourWhileTheStartWaitsWithMusic) {
  HeadlessGame game("0\n20000 A\n");
  // A lit pixel of each line's first glyph: "W" at x 288, the bar of "-" at
  // x 272 and "P" at x 275, all from y 200; sampled during that line's fades.
  struct Probe {
    int x, y;
    std::uint32_t from, to;
    std::vector<std::uint16_t> seen;
  } probes[] = {{288, 202, 0, 4000, {}}, {272, 208, 4540, 8100, {}}, {275, 202, 10100, 14109, {}}};
  int worldStatus = 0;
  game.host().SetReadHook([&](std::uint32_t t) {
    for (Probe& p : probes) {
      if (t >= p.from && t < p.to) p.seen.push_back(game.host().VisibleAt(p.x, p.y));
    }
    if (t == 18000) worldStatus = SlotStatus(sounds::world);
  });
  TitleSequence();

  const std::uint16_t full[] = {PixelFromRgb(255, 255, 255), PixelFromRgb(255, 0, 0),
                                PixelFromRgb(0, 0, 255)};
  for (int i = 0; i < 3; ++i) {
    const auto& seen = probes[i].seen;
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(*std::max_element(seen.begin(), seen.end()), full[i]);
    EXPECT_EQ(seen.back(), 0);  // faded out to black
    // Every shade on the way has only the channels of the full colour,
    // and the 256 levels pass through all 32 shades of the pixel.
    for (std::uint16_t p : seen) {
      ASSERT_EQ(p & ~full[i], 0) << i;
      if (i == 0) {
        ASSERT_TRUE((p & 0x1F) == (p >> 5 & 0x1F) && (p & 0x1F) == p >> 10) << p;
      }
    }
    auto shades = seen;
    std::sort(shades.begin(), shades.end());
    EXPECT_EQ(std::unique(shades.begin(), shades.end()) - shades.begin(), 32);
  }
  EXPECT_EQ(worldStatus, kSoundPlaying | kSoundLooping);
  EXPECT_EQ(game.Now(), 20000u + 1500);
}

}  // namespace
