// Clipped copies, colour keys, fills, text and the present.
#include <gtest/gtest.h>

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

TEST_F(DisplayTest, OnlyTheGameModeOpens) {
  EXPECT_EQ(InitDisplay(800, 600, 16), 0);
  EXPECT_EQ(InitDisplay(640, 480, 32), 0);
}

TEST_F(DisplayTest, CopiesOffTheScreenDrawNothingAndKeepTheRectangle) {
  for (auto [x, y] : {std::pair{640, 0}, {0, 480}, {-33, 0}, {-32, 0}}) {
    Rect r{0, 0, 32, 32};
    BlitClipped(BackBuffer, x, y, &tile, r, kCopyOpaque);
    if (x == -32) {
      // x + w exactly 0 clips to an empty rectangle.
      EXPECT_EQ(r.left, 32);
    } else {
      EXPECT_EQ(r.left, 0);
      EXPECT_EQ(r.right, 32);
    }
  }
  for (std::uint16_t p : BackBuffer->pixels) ASSERT_EQ(p, 0);
}

TEST_F(DisplayTest, ClipsAtTheLeftAndRightEdgesInPlace) {
  Rect r{0, 0, 32, 32};
  BlitClipped(BackBuffer, -10, 5, &tile, r, kCopyOpaque);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(BackBuffer->At(0, 5), 11);   // source column 10
  EXPECT_EQ(BackBuffer->At(21, 5), 32);  // source column 31
  EXPECT_EQ(BackBuffer->At(22, 5), 0);

  Rect s{0, 0, 32, 32};
  BlitClipped(BackBuffer, 620, 100, &tile, s, kCopyOpaque);
  EXPECT_EQ(s.right, s.left + 20);
  EXPECT_EQ(BackBuffer->At(620, 100), 1);
  EXPECT_EQ(BackBuffer->At(639, 100), 20);
}

TEST_F(DisplayTest, ClipsAtTheTopAndBottom) {
  Rect r{0, 0, 32, 32};
  BlitClipped(BackBuffer, 0, -30, &tile, r, kCopyOpaque);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(BackBuffer->At(0, 1), 1);
  EXPECT_EQ(BackBuffer->At(0, 2), 0);
  Rect s{0, 0, 32, 32};
  BlitClipped(BackBuffer, 0, 470, &tile, s, kCopyOpaque);
  EXPECT_EQ(s.bottom, s.top + 10);
}

TEST_F(DisplayTest, SourceRectanglesOutsideThePictureNeverReadOutsideIt) {
  Rect r{20, 20, 200, 200};
  BlitClipped(BackBuffer, 0, 0, &tile, r, kCopyOpaque);
  EXPECT_EQ(BackBuffer->At(0, 0), 21);
  EXPECT_EQ(BackBuffer->At(12, 0), 0);  // past the tile's right edge: untouched
}

TEST_F(DisplayTest, KeyedCopySkipsExactlyTheKeyColour) {
  Surface sprite(2, 1);
  sprite.At(0, 0) = PixelFromRgb(255, 0, 255);
  sprite.At(1, 0) = PixelFromRgb(250, 2, 250);  // the same 15-bit colour
  Surface other(1, 1);
  other.At(0, 0) = PixelFromRgb(240, 0, 255);  // a different one
  ASSERT_EQ(SetColourKey(&sprite, 0xFF00FF), 0u);
  ASSERT_EQ(SetColourKey(&other, 0xFF00FF), 0u);
  FillRect(0, 0, 10, 10, 0x1234, BackBuffer);
  Rect r{0, 0, 2, 1};
  BlitClipped(BackBuffer, 0, 0, &sprite, r, kCopyKeyed);
  Rect q{0, 0, 1, 1};
  BlitClipped(BackBuffer, 5, 0, &other, q, kCopyKeyed);
  EXPECT_EQ(BackBuffer->At(0, 0), 0x1234);
  EXPECT_EQ(BackBuffer->At(1, 0), 0x1234);
  EXPECT_EQ(BackBuffer->At(5, 0), PixelFromRgb(240, 0, 255));
  // An opaque copy ignores the key.
  Rect o{0, 0, 2, 1};
  BlitClipped(BackBuffer, 0, 0, &sprite, o, kCopyWait);
  EXPECT_EQ(BackBuffer->At(0, 0), PixelFromRgb(255, 0, 255));
}

TEST_F(DisplayTest, MatchColourLeavesTheFirstPixelAsItWas) {
  tile.At(0, 0) = 0x4321;
  EXPECT_EQ(MatchColour(&tile, 0xFF00FF), PixelFromRgb(255, 0, 255));
  EXPECT_EQ(MatchColour(&tile, 0xFFFFFFFF), 0x4321u);
  EXPECT_EQ(tile.At(0, 0), 0x4321);
  EXPECT_EQ(MatchColour(nullptr, 0xFF00FF), 0xFFFFFFFFu);
}

TEST_F(DisplayTest, FillRectCoversExactlyItsRectangle) {
  FillSurface(BackBuffer, 0x7FFF);
  FillRect(20, 380, 620, 460, 0, BackBuffer);
  int black = 0;
  for (std::uint16_t p : BackBuffer->pixels) black += p == 0;
  EXPECT_EQ(black, 600 * 80);
  EXPECT_EQ(BackBuffer->At(620, 400), 0x7FFF);
  EXPECT_EQ(BackBuffer->At(100, 460), 0x7FFF);
  EXPECT_EQ(BackBuffer->At(20, 380), 0);
}

TEST_F(DisplayTest, TextPaintsOnlyGlyphsInItsColour) {
  FillSurface(BackBuffer, kRawBlue);
  EXPECT_EQ(DrawTextAt("", 10, 10, kTextWhite, BackBuffer), 1);
  for (std::uint16_t p : BackBuffer->pixels) ASSERT_EQ(p, kRawBlue);
  DrawTextAt("W", 10, 10, kTextYellow, BackBuffer);
  int inked = 0, other = 0;
  for (std::uint16_t p : BackBuffer->pixels) {
    inked += p == PixelFromColorref(kTextYellow);
    other += p != kRawBlue && p != PixelFromColorref(kTextYellow);
  }
  EXPECT_GT(inked, 5);
  EXPECT_EQ(other, 0);
  EXPECT_EQ(DrawTextAt("x", 0, 0, kTextWhite, nullptr), 0);
}

TEST_F(DisplayTest, FrontDrawingIsSeenAtOnceBackDrawingOnlyAfterAPresent) {
  FillRect(0, 0, 10, 10, 0x7FFF, FrontSurface);
  host.Sleep(1);
  EXPECT_EQ(host.VisibleAt(5, 5), 0x7FFF);
  FillRect(0, 0, 10, 10, 0x001F, BackBuffer);
  host.Sleep(1);
  EXPECT_EQ(host.VisibleAt(5, 5), 0x7FFF);
  PresentFrame();
  EXPECT_EQ(host.VisibleAt(5, 5), 0x001F);
  // The back buffer now holds what was visible before.
  EXPECT_EQ(BackBuffer->At(5, 5), 0x7FFF);
}

TEST_F(DisplayTest, PresentsKeepSixtyPerSecond) {
  for (int i = 0; i < 60; ++i) PresentFrame();
  EXPECT_EQ(host.Ticks(), 1000u);
}

}  // namespace
