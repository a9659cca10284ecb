// Decoding bitmap files in plain C++: 1, 4 and 8-bit palettised (also RLE8
// and RLE4), 16-bit 5-5-5 and bit-field layouts, 24 and 32-bit, stored
// bottom-up or top-down, behind any of the usual info headers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, row by row from the top
};

// No picture of the game is anywhere near these; a header claiming more is
// refused before anything is allocated for it.
inline constexpr int kMaxPictureSide = 4096;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{8} << 20;  // 8 Mi pixels

// Decodes a whole file held in memory. On failure returns nothing and sets
// *error to the reason. Never reads outside `bytes`.
std::optional<DecodedPicture> DecodeBmp(std::span<const std::uint8_t> bytes, std::string* error);
