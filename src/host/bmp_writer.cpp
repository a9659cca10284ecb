#include "host/bmp_writer.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
// 5 bits to 8, so that white stays 255.
std::uint8_t Widen(std::uint32_t five) {
  return static_cast<std::uint8_t>((five << 3) | (five >> 2));
}
}  // namespace

bool WriteScreenshot(const std::string& path, const ScreenView& screen) {
  if (screen.pixels == nullptr || screen.width <= 0 || screen.height <= 0) return false;
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(screen.width) * 3 + 3) & ~3u;
  const std::uint32_t dataSize = rowBytes * screen.height;
  std::vector<std::uint8_t> out;
  out.reserve(54 + dataSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + dataSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, screen.width);
  Put32(out, screen.height);
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, dataSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = screen.height - 1; y >= 0; --y) {
    const std::uint16_t* row = screen.pixels + static_cast<std::size_t>(y) * screen.width;
    for (int x = 0; x < screen.width; ++x) {
      out.push_back(Widen(row[x] & 31));
      out.push_back(Widen((row[x] >> 5) & 31));
      out.push_back(Widen((row[x] >> 10) & 31));
    }
    for (std::uint32_t pad = screen.width * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}
