#include "common/bmp_to_png.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "common/png_writer.h"

namespace {

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
  return v;
}

}  // namespace

void ConvertBmpToPng(const std::filesystem::path& bmp, const std::filesystem::path& png) {
  std::ifstream in(bmp, std::ios::binary);
  const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), {});
  auto refuse = [&](const char* why) { throw std::runtime_error(bmp.string() + ": " + why); };
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') refuse("not a bitmap");
  const std::uint32_t offset = Le(b, 10, 4);
  const auto width = static_cast<std::int32_t>(Le(b, 18, 4));
  const auto rawHeight = static_cast<std::int32_t>(Le(b, 22, 4));
  if (Le(b, 28, 2) != 24 || Le(b, 30, 4) != 0) refuse("not an uncompressed 24-bit bitmap");
  if (width <= 0 || width > 8192 || rawHeight == 0 || std::abs(rawHeight) > 8192) {
    refuse("bad size");
  }
  const int height = std::abs(rawHeight);
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  if (offset > b.size() || b.size() - offset < stride * static_cast<std::size_t>(height)) {
    refuse("cut short");
  }
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const int stored = rawHeight > 0 ? height - 1 - y : y;  // bottom-up unless negative
    const std::size_t row = offset + stride * static_cast<std::size_t>(stored);
    for (int x = 0; x < width; ++x) {
      const std::size_t p = row + static_cast<std::size_t>(x) * 3;
      rgb.insert(rgb.end(), {b[p + 2], b[p + 1], b[p]});
    }
  }
  WritePng(png, width, height, false, rgb);
}
