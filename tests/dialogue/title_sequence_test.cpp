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

// S (or gamepad 2) held from the start skips after the first credit step: 1 ms,
// the drawing, 1 ms, the read; the same key ends the wait at once. A and
// gamepad 1 do not skip the fades, but then start the game as soon as asked.
TEST(TitleSequence, SkipsOnlyOnSAndStartsTheGame) {
  for (auto [key, until] : {std::pair{"S", 3u + 1 + 1500},
                            {"Pad2", 3u + 1 + 1500},
                            {"A", kFadesMs + 1 + 1500},
                            {"Pad1", kFadesMs + 1 + 1500}}) {
    SCOPED_TRACE(key);
    HeadlessGame game(std::string("0 ") + key + "\n");
    TitleSequence();
    EXPECT_EQ(game.Now(), until);
    EXPECT_TRUE(ShowsStartPicture(game));
    const auto trace = game.TakeTrace();
    EXPECT_EQ(Plays(trace, "world"), 1);
    const bool skipped = until < kFadesMs;  // a skip stops the intro at once
    EXPECT_EQ(
        Events(trace, "sound").at(1).find(R"("op":"stop","name":"intro")") != std::string::npos,
        skipped);
    EXPECT_EQ(SlotStatus(sounds::world) & kSoundPlaying, 0);  // all stopped at the end
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
