// The intro: the skip, the fades in their colours, the wait on the start picture.
#include "dialogue/title_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/display.h"
#include "platform/sound.h"
#include "state/assets.h"
#include "support/headless_game.h"
#include "support/trace_reader.h"

namespace {

// Six fades of 256 steps of 3 ms (2 ms of pauses, one read) and the pauses.
constexpr std::uint32_t kFadesMs = 6 * 256 * 3 + 2000 + 1000 + 2000 + 2000 + 2500;

// S (or gamepad 2) held skips after the first credit step (1 ms, drawing,
// 1 ms, read) and ends the wait at once; A and gamepad 1 do not skip the
// fades but start the game as soon as asked. The start picture is on both
// surfaces; a skip stops the intro; all sound is stopped at the end.
TEST(TitleSequence, SkipsOnlyOnSAndStartsTheGame) {
  for (auto [key, until] : {std::pair{"S", 3u + 1 + 1500},
                            {"Pad2", 3u + 1 + 1500},
                            {"A", kFadesMs + 1 + 1500},
                            {"Pad1", kFadesMs + 1 + 1500}}) {
    SCOPED_TRACE(key);
    HeadlessGame game(std::string("0 ") + key + "\n");
    TitleSequence();
    EXPECT_EQ(game.Now(), until);
    int wrong = BackBuffer->At(320, 240) != pictures::start->At(320, 240);
    for (int y = 0; y < kScreenHeight; y += 7) {
      for (int x = 0; x < kScreenWidth; x += 7)
        wrong += game.host().VisibleAt(x, y) != pictures::start->At(x, y);
    }
    EXPECT_EQ(wrong, 0);
    const auto trace = game.TakeTrace();
    EXPECT_EQ(Plays(trace, "world"), 1);
    EXPECT_EQ(Has(Events(trace, "sound").at(1), R"("op":"stop","name":"intro")"), until < kFadesMs);
    EXPECT_EQ(SlotStatus(sounds::world) & kSoundPlaying, 0);
  }
}

// A lit pixel of each line's first glyph ("W", the bar of "-", "P"; the font
// centres each glyph a column or two in from the pen), sampled
// during that line's fades, runs through all 32 shades of the line's own
// colour up and back to black; the start waits with the music looping.
TEST(TitleSequence, EachLineFadesInItsOwnColourWhileTheStartWaitsWithMusic) {
  HeadlessGame game("0\n20000 A\n");
  struct Probe {
    int x, y;
    std::uint32_t from, to;
    std::uint16_t full;
    std::vector<std::uint16_t> seen;
  } probes[] = {{289, 202, 0, 4000, PixelFromRgb(255, 255, 255), {}},
                {274, 208, 4540, 8100, PixelFromRgb(255, 0, 0), {}},
                {276, 202, 10100, 14109, PixelFromRgb(0, 0, 255), {}}};
  int worldStatus = 0;
  game.host().SetReadHook([&](std::uint32_t t) {
    for (Probe& p : probes) {
      if (t >= p.from && t < p.to) p.seen.push_back(game.host().VisibleAt(p.x, p.y));
    }
    if (t == 18000) worldStatus = SlotStatus(sounds::world);
  });
  TitleSequence();
  for (Probe& p : probes) {
    ASSERT_FALSE(p.seen.empty());
    EXPECT_EQ(*std::max_element(p.seen.begin(), p.seen.end()), p.full);
    EXPECT_EQ(p.seen.back(), 0);
    for (std::uint16_t c : p.seen) {
      ASSERT_EQ(c & ~p.full, 0) << p.x;
      ASSERT_TRUE(p.x != 289 || ((c & 0x1F) == (c >> 5 & 0x1F) && (c & 0x1F) == c >> 10)) << c;
    }
    std::sort(p.seen.begin(), p.seen.end());
    EXPECT_EQ(std::unique(p.seen.begin(), p.seen.end()) - p.seen.begin(), 32);
  }
  EXPECT_EQ(worldStatus, kSoundPlaying | kSoundLooping);
  EXPECT_EQ(game.Now(), 20000u + 1500);
}

}  // namespace
