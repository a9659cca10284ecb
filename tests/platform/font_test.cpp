// The font's metrics: what the message box, the menus and the prompt rely on.
#include "platform/font.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

namespace {

// A character of a text as the font's byte.
unsigned char Byte(char c) {
  return static_cast<unsigned char>(c);
}

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

// First and last inked columns, counted from the pen.
std::pair<int, int> InkColumns(unsigned char c) {
  std::uint8_t all = 0;
  for (std::uint8_t row : FontGlyph(c).rows) all |= row;
  int left = -1, right = -1;
  for (int col = 0; col < 8; ++col) {
    if ((all & (0x80 >> col)) == 0) continue;
    if (left < 0) left = col;
    right = col;
  }
  return {left, right};
}

// Where the ink of a string ends when it is drawn from x.
int InkEnd(std::string_view text, int x) {
  int end = x;
  for (const char c : text) {
    if (InkRows(Byte(c)).first >= 0) end = x + InkColumns(Byte(c)).second;
    x += FontGlyph(Byte(c)).advance;
  }
  return end;
}

TEST(Font, EveryGlyphSitsInTheMiddleOfOnePlace) {
  for (int c = 33; c <= 126; ++c) {
    const auto [left, right] = InkColumns(static_cast<unsigned char>(c));
    EXPECT_GE(left, 1) << static_cast<char>(c);
    EXPECT_LE(right, 7) << static_cast<char>(c);
    // The middle of the box is column 4; half a pixel off either way is
    // what an even-width picture in an odd box cannot help.
    EXPECT_NEAR((left + right) / 2.0, 4.0, 1.0) << static_cast<char>(c);
    EXPECT_EQ(FontGlyph(static_cast<unsigned char>(c)).advance, 8) << static_cast<char>(c);
  }
  for (int c = 0; c <= 255; ++c) {
    if (c >= 33 && c <= 126) continue;
    const auto byte = static_cast<unsigned char>(c);
    EXPECT_EQ(InkRows(byte).first, -1) << c;
    EXPECT_EQ(FontGlyph(byte).advance, 4) << c;  // blanks and unknown bytes alike
  }
}

TEST(Font, NamesTypedTenPixelsApartReadWhole) {
  // The message box puts each character 10 pixels on: the blank between two
  // letters of a name stays about even instead of opening after an "l".
  for (std::string_view name : {"Elmo", "Pim", "Nadia", "Minister", "Bellboy"}) {
    int least = 10, most = 0;
    for (std::size_t i = 0; i + 1 < name.size(); ++i) {
      const int gap =
          10 + InkColumns(Byte(name[i + 1])).first - InkColumns(Byte(name[i])).second - 1;
      least = std::min(least, gap);
      most = std::max(most, gap);
    }
    EXPECT_GE(least, 2) << name;
    EXPECT_LE(most, 5) << name;
  }
}

TEST(Font, LettersStandOnOneBaselineWithDescendersBelow) {
  for (char c : std::string_view("AZ09hkl"))
    EXPECT_EQ(InkRows(Byte(c)), std::make_pair(2, 12)) << c;
  for (char c : std::string_view("aoxi")) EXPECT_EQ(InkRows(Byte(c)).second, 12) << c;
  for (char c : std::string_view("gjpqy")) EXPECT_GT(InkRows(Byte(c)).second, 13) << c;
}

TEST(Font, StatusLinesAndThePromptStayInTheirWindows) {
  // The status window's body ends at x 300 and its lines start at 170; the
  // battle menu's box ends at 620 with its HP line at 500.
  EXPECT_LT(InkEnd("HP              319/319", 170), 300);
  EXPECT_LT(InkEnd("EXP              9999", 170), 300);
  EXPECT_LT(InkEnd("GOLD           99999", 170), 300);
  EXPECT_LT(InkEnd("HP  319/319", 500), 620);
  EXPECT_LT(InkEnd("ATTACK", 435), 500);
  // "YES       NO" is drawn at x 535; the pointer at NO stands at 563 and its
  // arrow ends 20 pixels into its cell, and the box ends at 620.
  int x = 535;
  for (char c : std::string_view("YES       ")) x += FontGlyph(Byte(c)).advance;
  EXPECT_GE(x + InkColumns('N').first, 563 + 20 + 2);
  EXPECT_LT(InkEnd("YES       NO", 535), 619);
}

}  // namespace
