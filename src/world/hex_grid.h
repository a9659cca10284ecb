// The maps are kept in the source exactly as they are listed: one string of
// hex digit pairs per row, column 0 first. They are turned into bytes while
// compiling, and a row of the wrong length or a stray character stops the
// build instead of shifting every cell after it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace hex_grid_detail {

consteval std::uint8_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  throw "a map row holds a character that is not an upper-case hex digit";
}

consteval std::size_t RowLength(const char* row) {
  std::size_t n = 0;
  while (row[n] != '\0') ++n;
  return n;
}

}  // namespace hex_grid_detail

// Width cells per row, as many rows as the listing has.
template <std::size_t Width, std::size_t Height>
consteval std::array<std::uint8_t, Width * Height> DecodeHexRows(
    const char* const (&rows)[Height]) {
  std::array<std::uint8_t, Width * Height> cells{};
  for (std::size_t r = 0; r < Height; ++r) {
    if (hex_grid_detail::RowLength(rows[r]) != 2 * Width) {
      throw "a map row does not hold exactly two hex digits per column";
    }
    for (std::size_t c = 0; c < Width; ++c) {
      cells[r * Width + c] =
          static_cast<std::uint8_t>(hex_grid_detail::HexDigit(rows[r][2 * c]) * 16 +
                                    hex_grid_detail::HexDigit(rows[r][2 * c + 1]));
    }
  }
  return cells;
}
