// The picture decoder: every file layout a replacement picture may come in
// decodes to the same pixels, and hostile headers are refused before anything
// is allocated for them.
#include "platform/bmp_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Pixels = std::vector<std::uint32_t>;  // 0x00RRGGBB

// Little-endian fields of the given byte widths.
void Put(Bytes& b, std::initializer_list<std::pair<std::uint32_t, int>> fields) {
  for (auto [v, n] : fields) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
}

struct Bmp {
  int width = 3;
  int height = 2;  // negative: rows stored from the top
  int bits = 24;
  std::uint32_t compression = 0;
  Pixels palette = {};
  Bytes pixels = {};                      // as stored, padding included
  std::vector<std::uint32_t> masks = {};  // after the 40-byte header
  bool core = false;                      // the 12-byte header with 3-byte palette entries
};

Bytes Encode(const Bmp& p) {
  const auto u = [](auto v) { return static_cast<std::uint32_t>(v); };
  const std::uint32_t entry = p.core ? 3 : 4;
  const std::uint32_t offset =
      14 + (p.core ? 12 : 40) + 4 * u(p.masks.size()) + entry * u(p.palette.size());
  Bytes b{'B', 'M'};
  Put(b, {{offset + u(p.pixels.size()), 4}, {0, 4}, {offset, 4}});
  if (p.core) {
    Put(b, {{12, 4}, {u(p.width), 2}, {u(p.height), 2}, {1, 2}, {u(p.bits), 2}});
  } else {
    Put(b, {{40, 4}, {u(p.width), 4}, {u(p.height), 4}, {1, 2}, {u(p.bits), 2}});
    Put(b, {{p.compression, 4}, {u(p.pixels.size()), 4}, {2835, 4}, {2835, 4}});
    Put(b, {{u(p.palette.size()), 4}, {0, 4}});
  }
  for (std::uint32_t m : p.masks) Put(b, {{m, 4}});
  for (std::uint32_t c : p.palette) Put(b, {{c, static_cast<int>(entry)}});
  b.insert(b.end(), p.pixels.begin(), p.pixels.end());
  return b;
}

// The 3 x 2 test picture, top row first: red green blue / white black magenta.
const Pixels kExpected = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFF00FF};
const Pixels kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF00FF};

// Rows of 24-bit, 16-bit and 32-bit pixels in storage order (bottom row first
// unless top-down), each padded to four bytes.
Bytes Rows(int bytesPerPixel, bool topDown, std::uint32_t (*pack)(std::uint32_t)) {
  Bytes b;
  for (int r = 0; r < 2; ++r) {
    const int y = topDown ? r : 1 - r;
    const std::size_t start = b.size();
    for (int x = 0; x < 3; ++x) {
      const std::uint32_t v = pack(kExpected[static_cast<std::size_t>(y * 3 + x)]);
      for (int i = 0; i < bytesPerPixel; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    while ((b.size() - start) % 4 != 0) b.push_back(0);
  }
  return b;
}

std::uint32_t Same(std::uint32_t c) {
  return c;
}
std::uint32_t To555(std::uint32_t c) {
  return ((c >> 19 & 31) << 10) | ((c >> 11 & 31) << 5) | (c >> 3 & 31);
}
std::uint32_t To565(std::uint32_t c) {
  return ((c >> 19 & 31) << 11) | ((c >> 10 & 63) << 5) | (c >> 3 & 31);
}

// Pixels a run-length code never reaches keep palette entry 0, and one that
// jumps past the top ends the picture; an index past the palette shows black.
TEST(BmpFile, EveryLayoutDecodesToItsPixels) {
  constexpr std::uint32_t a = 0x102030, b = 0xF0E0D0, blue = 0x0000AA, green = 0x00BB00;
  const struct {
    const char* what;
    Bmp bmp;
    Pixels want = kExpected;
  } cases[] = {
      {"24-bit", {.pixels = Rows(3, false, Same)}},
      {"24-bit top-down", {.height = -2, .pixels = Rows(3, true, Same)}},
      {"24-bit, oldest header", {.pixels = Rows(3, false, Same), .core = true}},
      {"32-bit",
       {.bits = 32, .pixels = Rows(4, false, [](std::uint32_t c) { return c | 0xAB000000; })}},
      {"32-bit fields",
       {.bits = 32,
        .compression = 3,
        .pixels = Rows(4, false,
                       [](std::uint32_t c) {
                         return (c & 0xFF) << 24 | (c >> 8 & 0xFF) << 16 | (c >> 16) << 8;
                       }),
        .masks = {0x0000FF00, 0x00FF0000, 0xFF000000}}},
      {"16-bit 5-5-5", {.bits = 16, .pixels = Rows(2, false, To555)}},
      {"16-bit 5-6-5 fields",
       {.bits = 16,
        .compression = 3,
        .pixels = Rows(2, false, To565),
        .masks = {0xF800, 0x07E0, 0x001F}}},
      // The rows, bottom first, hold the indices 4 0 5 and 1 2 3.
      {"8-bit", {.bits = 8, .palette = kPalette, .pixels = {4, 0, 5, 0, 1, 2, 3, 0}}},
      {"8-bit, oldest header, black as index 200",
       {.bits = 8, .palette = kPalette, .pixels = {4, 200, 5, 0, 1, 2, 3, 0}, .core = true}},
      {"4-bit", {.bits = 4, .palette = kPalette, .pixels = {0x40, 0x50, 0, 0, 0x12, 0x30, 0, 0}}},
      {"8-bit run-length",
       {.bits = 8,
        .compression = 1,
        .palette = kPalette,
        .pixels = {0, 3, 4, 0, 5, 0, 0, 0, 1, 1, 1, 2, 1, 3, 0, 1}}},
      {"4-bit run-length",
       {.bits = 4,
        .compression = 2,
        .palette = kPalette,
        .pixels = {2, 0x40, 1, 0x50, 0, 0, 0, 3, 0x12, 0x30, 0, 1}}},
      {"1-bit, two bytes a row",
       {.width = 9, .bits = 1, .palette = {a, b}, .pixels = {0x55, 0x00, 0, 0, 0xAA, 0x80, 0, 0}},
       {b, a, b, a, b, a, b, a, b, a, b, a, b, a, b, a, b, a}},
      {"run-length code that jumps, overruns its rows and jumps past the top",
       {.width = 4,
        .height = 3,
        .bits = 8,
        .compression = 1,
        .palette = {blue, green},
        .pixels = {0, 2, 1, 1, 9, 1, 0, 0, 255, 1, 0, 2, 200, 200, 0, 5, 1}},
       {green, green, green, green, blue, green, green, green, blue, blue, blue, blue}},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto picture = DecodeBmp(Encode(c.bmp), &error);
    ASSERT_TRUE(picture) << c.what << ": " << error;
    EXPECT_EQ(picture->width, c.bmp.width) << c.what;
    EXPECT_EQ(picture->height, std::abs(c.bmp.height)) << c.what;
    EXPECT_EQ(picture->rgb, c.want) << c.what;
  }
}

TEST(BmpFile, HostileHeadersAreRefusedWithTheirReason) {
  const Bmp rle8192{
      .width = 8192, .height = 8192, .bits = 8, .compression = 1, .palette = {0}, .pixels = {0, 1}};
  const Bytes plain = Encode({.pixels = Rows(3, false, Same)});
  // The plain file with `bytes` written over it from `at`.
  const auto patched = [&](std::size_t at, Bytes bytes) {
    Bytes b = plain;
    std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
    return b;
  };

  const struct {
    const char* what;
    Bytes file;
    const char* reason;
  } cases[] = {
      {"8192 x 8192 in 64 bytes", Encode(rle8192), "larger than the game can show"},
      {"4097 wide", Encode({.width = 4097, .height = 1, .pixels = Bytes(12300)}), "larger"},
      {"3000 x 3000 (too many pixels)",
       Encode({.width = 3000, .height = 3000, .bits = 1, .palette = {0, 1}}), "larger"},
      {"the lowest height there is", Encode({.height = INT32_MIN}), "larger"},
      {"no width", Encode({.width = 0}), "no pixels"},
      {"rows cut short", Bytes(plain.begin(), plain.end() - 12), "cut short"},
      {"pixels past the end", patched(10, {0xFF, 0, 0, 0x7F}), "pixel data missing"},
      {"header longer than the file", patched(14, {0xFF, 0xFF, 0xFF, 0xFF}),
       "unknown bitmap header"},
      {"compressed as a photograph", Encode({.compression = 4}), "unsupported bitmap layout"},
      {"5-bit pixels", Encode({.bits = 5}), "unsupported bitmap layout"},
      {"no palette", Encode({.bits = 8, .pixels = {0, 0, 0, 0, 0, 0, 0, 0}}), "palette"},
      {"masks cut short", Encode({.bits = 16, .compression = 3, .pixels = Bytes(6)}),
       "masks cut short"},
      {"not a bitmap", Bytes(64, 'x'), "not a bitmap file"},
      {"nothing", Bytes{}, "not a bitmap file"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(DecodeBmp(c.file, &error)) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
  }
}

}  // namespace
