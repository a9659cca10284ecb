// Surfaces: rectangles of 16-bit pixels in the 5-5-5 layout (bit 15 unused,
// then red, green, blue), so the raw colours 0x7FFF, 0x001F and 0 are white,
// blue and black.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct Rect {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;   // exclusive
  std::int32_t bottom;  // exclusive
};

// Where signed coordinates become a place in the rows of pixels: the offset
// of (x, y) in a picture `width` pixels wide. Only points on the picture come
// here (drawing clips first), so none of the three is negative.
constexpr std::size_t PixelOffset(int x, int y, int width) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x);
}

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<std::uint16_t> pixels;       // width * height, row by row
  std::optional<std::uint16_t> colourKey;  // the pixel value a keyed copy skips

  Surface() = default;
  // Both sides positive; the pixels are those before the row past the last.
  Surface(int w, int h) : width(w), height(h), pixels(PixelOffset(0, h, w)) {}
  std::uint16_t& At(int x, int y) { return pixels[PixelOffset(x, y, width)]; }
  std::uint16_t At(int x, int y) const { return pixels[PixelOffset(x, y, width)]; }
};

// The one conversion of an RGB colour to a pixel value, used for pictures and
// colour keys alike, so that a picture's magenta and the key always agree.
constexpr std::uint16_t PixelFromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}
// A text colour 0x00BBGGRR as a pixel value.
constexpr std::uint16_t PixelFromColorref(std::uint32_t c) {
  return PixelFromRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
