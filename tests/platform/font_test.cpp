#include "platform/font.h"

#include <algorithm>
#include <string_view>

#include <gtest/gtest.h>

namespace {

constexpr int kBaselineRow = 12;  // last row of a capital or a lowercase body
constexpr int kCapitalTopRow = 2;

bool HasInk(const Glyph& g) {
  for (std::uint8_t row : g.rows) {
    if (row != 0) return true;
  }
  return false;
}

int TopInkRow(const Glyph& g) {
  for (int r = 0; r < kFontHeight; ++r) {
    if (g.rows[r] != 0) return r;
  }
  return -1;
}

int BottomInkRow(const Glyph& g) {
  for (int r = kFontHeight - 1; r >= 0; --r) {
    if (g.rows[r] != 0) return r;
  }
  return -1;
}

// Rightmost inked column, or -1 for an empty picture.
int RightInkColumn(const Glyph& g) {
  int right = -1;
  for (std::uint8_t row : g.rows) {
    for (int col = 0; col < 8; ++col) {
      if (row & (0x80 >> col)) right = std::max(right, col);
    }
  }
  return right;
}

int Advance(std::string_view text) {
  int x = 0;
  for (char c : text) x += FontGlyph(static_cast<unsigned char>(c)).advance;
  return x;
}

TEST(FontTest, PrintableGlyphsFitTheirCellAndAdvance) {
  for (int c = 33; c <= 126; ++c) {
    SCOPED_TRACE(static_cast<char>(c));
    const Glyph& g = FontGlyph(static_cast<unsigned char>(c));
    EXPECT_TRUE(HasInk(g));
    // The message box draws at a pitch of 10, so 8 columns keep a gap.
    EXPECT_LE(g.width, 8);
    EXPECT_EQ(RightInkColumn(g), g.width - 1) << "picture and width disagree";
    EXPECT_EQ(g.advance, g.width + 1);
  }
}

TEST(FontTest, BlankAndBytesWithoutPictures) {
  const Glyph& blank = FontGlyph(' ');
  EXPECT_EQ(blank.advance, 5);
  EXPECT_FALSE(HasInk(blank));

  for (int c = 0; c <= 255; ++c) {
    if (c >= 32 && c <= 126) continue;
    SCOPED_TRACE(c);
    const Glyph& g = FontGlyph(static_cast<unsigned char>(c));
    EXPECT_EQ(g.width, 0);
    EXPECT_EQ(g.advance, blank.advance);
    EXPECT_FALSE(HasInk(g));
  }
}

TEST(FontTest, LettersAndDigitsShareOneBaseline) {
  for (char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")) {
    SCOPED_TRACE(c);
    const Glyph& g = FontGlyph(static_cast<unsigned char>(c));
    EXPECT_EQ(TopInkRow(g), kCapitalTopRow);
    EXPECT_EQ(BottomInkRow(g), kBaselineRow);
  }
  for (char c : std::string_view("abcdefhiklmnorstuvwxz")) {
    SCOPED_TRACE(c);
    EXPECT_EQ(BottomInkRow(FontGlyph(static_cast<unsigned char>(c))), kBaselineRow);
  }
  for (char c : std::string_view("gjpqy")) {
    SCOPED_TRACE(c);
    EXPECT_GT(BottomInkRow(FontGlyph(static_cast<unsigned char>(c))), kBaselineRow + 1);
  }
  // Lowercase bodies are shorter than capitals; ascenders reach cap height.
  EXPECT_GT(TopInkRow(FontGlyph('o')), kCapitalTopRow + 2);
  EXPECT_EQ(TopInkRow(FontGlyph('h')), kCapitalTopRow);
}

TEST(FontTest, SpacingIsProportional) {
  for (char c : std::string_view("il.,'!")) {
    SCOPED_TRACE(c);
    EXPECT_LT(FontGlyph(static_cast<unsigned char>(c)).advance, FontGlyph('M').advance);
  }
  for (char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZ")) {
    SCOPED_TRACE(c);
    const int advance = FontGlyph(static_cast<unsigned char>(c)).advance;
    EXPECT_GE(advance, 7);
    EXPECT_LE(advance, 8);
  }
}

TEST(FontTest, YesNoChoiceLinesUp) {
  // The yes/no prompt is one string drawn at x = 535; its NO has to start
  // between x = 590 and 600 and end before 619.
  const int n_left = 535 + Advance("YES       ");
  EXPECT_GE(n_left, 590);
  EXPECT_LE(n_left, 600);
  const int o_left = n_left + FontGlyph('N').advance;
  EXPECT_LT(o_left + RightInkColumn(FontGlyph('O')), 619);
}

}  // namespace
