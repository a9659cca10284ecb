// The font's metrics: what the message box, the menus and the prompt rely on.
#include "platform/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace {

// The glyph of a character or of a byte value.
const Glyph& GlyphOf(int c) {
  return FontGlyph(static_cast<unsigned char>(c));
}

// Where a glyph's ink lies: rows from the top, columns from the pen; all -1
// for an empty glyph.
struct Ink {
  int top = -1, bottom = -1, left = -1, right = -1;
};
Ink InkOf(int c) {
  Ink ink;
  for (int r = 0; r < kFontHeight; ++r) {
    for (int col = 0; col < 8; ++col) {
      if ((GlyphOf(c).rows[r] & (0x80 >> col)) == 0) continue;
      if (ink.top < 0) ink.top = r;
      ink.bottom = r;
      ink.left = ink.left < 0 ? col : std::min(ink.left, col);
      ink.right = std::max(ink.right, col);
    }
  }
  return ink;
}

// The windows are laid out on these metrics: the status window's longest
// line ("HP", 14 blanks, "319/319" from x 170) ends its ink at 297 of 300.
TEST(Font, EveryGlyphSitsInTheMiddleOfOnePlace) {
  for (int c = 0; c <= 255; ++c) {
    const Ink ink = InkOf(c);
    if (c < 33 || c > 126) {
      EXPECT_EQ(ink.top, -1) << c;
      EXPECT_EQ(GlyphOf(c).advance, 4) << c;  // blanks and unknown bytes alike
      continue;
    }
    EXPECT_GE(ink.left, 1) << static_cast<char>(c);
    EXPECT_LE(ink.right, 7) << static_cast<char>(c);
    // The middle of the box is column 4; half a pixel off either way is
    // what an even-width picture in an odd box cannot help.
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 4.0, 1.0) << static_cast<char>(c);
    EXPECT_EQ(GlyphOf(c).advance, 8) << static_cast<char>(c);
  }
}

TEST(Font, NamesTypedTenPixelsApartReadWhole) {
  // The message box puts each character 10 pixels on: the blank between two
  // letters of a name stays at most 5 pixels instead of opening after an "l"
  // (at least 3 follows from where every glyph sits).
  for (std::string_view name : {"Elmo", "Pim", "Nadia", "Minister", "Bellboy"}) {
    for (std::size_t i = 0; i + 1 < name.size(); ++i) {
      EXPECT_LE(10 + InkOf(name[i + 1]).left - InkOf(name[i]).right - 1, 5) << name << " " << i;
    }
  }
}

TEST(Font, LettersStandOnOneBaselineWithDescendersBelow) {
  for (char c : std::string_view("AZ09hkl")) {
    EXPECT_EQ(InkOf(c).top, 2) << c;
    EXPECT_EQ(InkOf(c).bottom, 12) << c;
  }
  for (char c : std::string_view("aoxi")) EXPECT_EQ(InkOf(c).bottom, 12) << c;
  for (char c : std::string_view("gjpqy")) EXPECT_GT(InkOf(c).bottom, 13) << c;
}

}  // namespace
