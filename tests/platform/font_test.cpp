// The font's metrics: what the message box, the menus and the prompt rely on.
#include "platform/font.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

// First and last inked rows of a glyph, or {-1, -1} for an empty one.
std::pair<int, int> InkRows(unsigned char c) {
  const Glyph& g = FontGlyph(c);
  int top = -1, bottom = -1;
  for (int r = 0; r < kFontHeight; ++r) {
    if (g.rows[r] == 0) continue;
    if (top < 0) top = r;
    bottom = r;
  }
  return {top, bottom};
}

TEST(Font, PrintableGlyphsHaveInkAndFitTheMessageBoxPitch) {
  for (int c = 33; c <= 126; ++c) {
    const Glyph& g = FontGlyph(static_cast<unsigned char>(c));
    EXPECT_NE(InkRows(c).first, -1) << static_cast<char>(c);
    EXPECT_LE(g.width, 8) << static_cast<char>(c);  // a gap at the pitch of 10
    EXPECT_EQ(g.advance, g.width + 1) << static_cast<char>(c);
  }
  for (int c = 0; c <= 255; ++c) {
    if (c >= 33 && c <= 126) continue;
    EXPECT_EQ(InkRows(c).first, -1) << c;
    EXPECT_EQ(FontGlyph(c).advance, 5) << c;  // blanks and unknown bytes alike
  }
}

TEST(Font, LettersStandOnOneBaselineWithDescendersBelow) {
  for (char c : std::string_view("AZ09hk")) EXPECT_EQ(InkRows(c), std::make_pair(2, 12)) << c;
  for (char c : std::string_view("aox")) EXPECT_EQ(InkRows(c).second, 12) << c;
  for (char c : std::string_view("gjpqy")) EXPECT_GT(InkRows(c).second, 13) << c;
}

TEST(Font, YesAndNoOfThePromptSitBesideTheirPointers) {
  // "YES       NO" is drawn at x = 535; the pointer at NO covers up to x = 590
  // and the box ends at 620.
  int x = 535;
  for (char c : std::string_view("YES       ")) x += FontGlyph(c).advance;
  EXPECT_GE(x, 590);
  EXPECT_LE(x, 600);
  EXPECT_LT(x + FontGlyph('N').advance + FontGlyph('O').width, 619);
}

}  // namespace
