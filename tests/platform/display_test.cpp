// Clipped copies, colour keys, fills, text and the present.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "host/headless_host.h"
#include "platform/bitmap.h"
#include "platform/display.h"
#include "platform/host_link.h"

namespace {

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AttachHost(&host);
    ASSERT_EQ(InitDisplay(640, 480, 16), 1);
    EXPECT_EQ(InitDisplay(800, 600, 16), 0);  // only the game's mode opens
    EXPECT_EQ(InitDisplay(640, 480, 32), 0);
    // A 32 x 32 tile whose every pixel names its own column.
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) tile.At(x, y) = static_cast<std::uint16_t>(x + 1);
    }
  }
  void TearDown() override {
    ShutdownDisplay();
    AttachHost(nullptr);
  }
  HeadlessHost host;
  Surface tile{32, 32};
};

// The rectangle is clipped in place; off the screen it draws nothing (x + w
// exactly 0 clips to an empty rectangle); a source rectangle larger than the
// picture never reads outside it.
TEST_F(DisplayTest, CopiesAreClippedAtEveryEdgeOfBothSurfaces) {
  const struct {
    int x, y;
    Rect from, clipped;
    std::vector<std::tuple<int, int, int>> pixels;  // x, y, source column + 1 (0: untouched)
  } cases[] = {
      {640, 0, {0, 0, 32, 32}, {0, 0, 32, 32}, {}},
      {0, 480, {0, 0, 32, 32}, {0, 0, 32, 32}, {}},
      {-33, 0, {0, 0, 32, 32}, {0, 0, 32, 32}, {{0, 0, 0}}},
      {-32, 0, {0, 0, 32, 32}, {32, 0, 32, 32}, {{0, 0, 0}}},
      {-10, 5, {0, 0, 32, 32}, {10, 0, 32, 32}, {{0, 5, 11}, {21, 5, 32}, {22, 5, 0}}},
      {620, 100, {0, 0, 32, 32}, {0, 0, 20, 32}, {{620, 100, 1}, {639, 100, 20}}},
      {0, -30, {0, 0, 32, 32}, {0, 30, 32, 32}, {{0, 1, 1}, {0, 2, 0}}},
      {0, 470, {0, 0, 32, 32}, {0, 0, 32, 10}, {{0, 479, 1}}},
      {0, 0, {20, 20, 200, 200}, {20, 20, 200, 200}, {{0, 0, 21}, {11, 0, 32}, {12, 0, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    FillSurface(BackBuffer, 0);
    Rect r = c.from;
    BlitClipped(BackBuffer, c.x, c.y, &tile, r, kCopyOpaque);
    EXPECT_EQ((std::vector{r.left, r.top, r.right, r.bottom}),
              (std::vector{c.clipped.left, c.clipped.top, c.clipped.right, c.clipped.bottom}));
    const auto untouched = std::count(BackBuffer->pixels.begin(), BackBuffer->pixels.end(), 0);
    EXPECT_EQ(untouched < 640 * 480, !c.pixels.empty() && std::get<2>(c.pixels[0]) != 0);
    for (const auto& [x, y, want] : c.pixels) EXPECT_EQ(BackBuffer->At(x, y), want) << x;
  }
}

TEST_F(DisplayTest, KeyedCopySkipsExactlyTheKeyColourAndAnOpaqueOneIgnoresIt) {
  Surface sprite(2, 1);
  sprite.At(0, 0) = PixelFromRgb(255, 0, 255);
  sprite.At(1, 0) = PixelFromRgb(250, 2, 250);  // the same 15-bit colour
  Surface other(1, 1);
  other.At(0, 0) = PixelFromRgb(240, 0, 255);  // a different one
  ASSERT_EQ(SetColourKey(&sprite, 0xFF00FF), 0u);
  ASSERT_EQ(SetColourKey(&other, 0xFF00FF), 0u);
  FillRect(0, 0, 10, 10, 0x1234, BackBuffer);
  Rect r{0, 0, 2, 1}, q{0, 0, 1, 1}, o{0, 0, 2, 1};
  BlitClipped(BackBuffer, 0, 0, &sprite, r, kCopyKeyed);
  BlitClipped(BackBuffer, 5, 0, &other, q, kCopyKeyed);
  EXPECT_EQ(BackBuffer->At(0, 0), 0x1234);
  EXPECT_EQ(BackBuffer->At(1, 0), 0x1234);
  EXPECT_EQ(BackBuffer->At(5, 0), PixelFromRgb(240, 0, 255));
  BlitClipped(BackBuffer, 0, 0, &sprite, o, kCopyWait);
  EXPECT_EQ(BackBuffer->At(0, 0), PixelFromRgb(255, 0, 255));
  // Matching a colour leaves the picture's first pixel as it was.
  tile.At(0, 0) = 0x4321;
  EXPECT_EQ(MatchColour(&tile, 0xFF00FF), PixelFromRgb(255, 0, 255));
  EXPECT_EQ(MatchColour(&tile, 0xFFFFFFFF), 0x4321u);
  EXPECT_EQ(tile.At(0, 0), 0x4321);
  EXPECT_EQ(MatchColour(nullptr, 0xFF00FF), 0xFFFFFFFFu);
}

TEST_F(DisplayTest, FillsCoverExactlyTheirRectangleAndTextOnlyItsGlyphs) {
  FillSurface(BackBuffer, 0x7FFF);
  FillRect(20, 380, 620, 460, 0, BackBuffer);
  EXPECT_EQ(std::count(BackBuffer->pixels.begin(), BackBuffer->pixels.end(), 0), 600 * 80);
  EXPECT_EQ(BackBuffer->At(620, 400), 0x7FFF);
  EXPECT_EQ(BackBuffer->At(100, 460), 0x7FFF);
  EXPECT_EQ(BackBuffer->At(20, 380), 0);

  FillSurface(BackBuffer, kRawBlue);
  EXPECT_EQ(DrawTextAt("", 10, 10, kTextWhite, BackBuffer), 1);
  DrawTextAt("W", 10, 10, kTextYellow, BackBuffer);
  const auto& pixels = BackBuffer->pixels;
  const auto inked = std::count(pixels.begin(), pixels.end(), PixelFromColorref(kTextYellow));
  EXPECT_GT(inked, 5);
  EXPECT_EQ(inked + std::count(pixels.begin(), pixels.end(), kRawBlue), 640 * 480);
  EXPECT_EQ(DrawTextAt("x", 0, 0, kTextWhite, nullptr), 0);
}

// Drawing on the front is seen at once, on the back only after a present,
// which swaps the two; presents keep sixty a second.
TEST_F(DisplayTest, FrontDrawingShowsAtOnceBackDrawingAfterAPresentSixtyASecond) {
  FillRect(0, 0, 10, 10, 0x7FFF, FrontSurface);
  host.Sleep(1);
  EXPECT_EQ(host.VisibleAt(5, 5), 0x7FFF);
  FillRect(0, 0, 10, 10, 0x001F, BackBuffer);
  host.Sleep(1);
  EXPECT_EQ(host.VisibleAt(5, 5), 0x7FFF);
  PresentFrame();
  EXPECT_EQ(host.VisibleAt(5, 5), 0x001F);
  EXPECT_EQ(BackBuffer->At(5, 5), 0x7FFF);
  const std::uint32_t start = host.Ticks();
  for (int i = 0; i < 60; ++i) PresentFrame();
  EXPECT_EQ(host.Ticks() - start, 1000u);
}

}  // namespace
