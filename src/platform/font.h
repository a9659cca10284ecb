// The game's own bitmap font: crisp one-bit glyphs for the printable
// single-byte characters, drawn by DrawTextAt.
#pragma once

#include <cstdint>

inline constexpr int kFontHeight = 16;  // every glyph cell is 16 rows tall

struct Glyph {
  std::uint8_t width;    // columns from the pen to the end of the picture, 0 to 8
  std::uint8_t advance;  // how far the pen moves after this glyph
  // One row per line of the cell, top first; bit 7 is the leftmost column.
  std::uint8_t rows[kFontHeight];
};

// The glyph of a byte. Bytes without a picture of their own (controls and
// anything above 126) give an empty glyph with the advance of a blank.
const Glyph& FontGlyph(unsigned char c);
