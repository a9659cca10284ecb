// pq_xwd_probe SCREEN.xwd SCALE: finds the smoke test's picture in a dump of
// the X screen (as xwd writes it) and checks its colours at the given scale.
// Exit 0 when the picture is there, 1 when not, 2 when the dump is unreadable.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "test_picture.h"

namespace {

struct Dump {
  std::uint32_t width = 0, height = 0, bitsPerPixel = 0, bytesPerLine = 0, byteOrder = 0;
  std::uint32_t masks[3] = {};
  std::vector<std::uint8_t> bytes;
  std::size_t pixelsAt = 0;

  // 0xRRGGBB at (x, y).
  std::uint32_t At(std::uint32_t x, std::uint32_t y) const {
    const std::size_t at =
        pixelsAt + std::size_t{y} * bytesPerLine + std::size_t{x} * bitsPerPixel / 8;
    std::uint32_t v = 0;
    const std::uint32_t n = bitsPerPixel / 8;
    for (std::uint32_t i = 0; i < n; ++i) {
      const std::uint32_t b = bytes[at + i];
      v |= byteOrder == 0 ? b << (8 * i) : b << (8 * (n - 1 - i));
    }
    std::uint32_t rgb = 0;
    for (std::uint32_t mask : masks) {
      int shift = 0;
      while (mask != 0 && ((mask >> shift) & 1) == 0) ++shift;
      const std::uint32_t bits = mask >> shift;
      std::uint32_t c = (v & mask) >> shift;
      if (bits != 0 && bits != 0xFF) c = c * 255 / bits;
      rgb = rgb << 8 | c;
    }
    return rgb;
  }
};

std::uint32_t Big32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 |
         std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

bool Read(const char* path, Dump& d) {
  std::ifstream in(path, std::ios::binary);
  d.bytes.assign(std::istreambuf_iterator<char>(in), {});
  if (d.bytes.size() < 100) return false;
  auto field = [&](int i) { return Big32(d.bytes, 4 * static_cast<std::size_t>(i)); };
  const std::uint32_t headerSize = field(0);
  if (field(1) != 7 || field(2) != 2) return false;  // version 7, a ZPixmap
  d.width = field(4);
  d.height = field(5);
  d.byteOrder = field(7);
  d.bitsPerPixel = field(11);
  d.bytesPerLine = field(12);
  d.masks[0] = field(14);
  d.masks[1] = field(15);
  d.masks[2] = field(16);
  const std::uint32_t colours = field(19);
  if (d.bitsPerPixel != 24 && d.bitsPerPixel != 32) return false;
  d.pixelsAt = std::size_t{headerSize} + std::size_t{colours} * 12;
  return d.pixelsAt + std::size_t{d.height} * d.bytesPerLine <= d.bytes.size();
}

std::uint32_t Rgb(std::uint16_t p) {
  auto widen = [](std::uint32_t v) { return (v << 3) | (v >> 2); };
  return widen((p >> 10) & 31) << 16 | widen((p >> 5) & 31) << 8 | widen(p & 31);
}

bool Near(std::uint32_t a, std::uint32_t b) {
  for (int s = 0; s < 24; s += 8) {
    if (std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)) > 12) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pq_xwd_probe SCREEN.xwd SCALE\n");
    return 2;
  }
  Dump d;
  if (!Read(argv[1], d)) {
    std::fprintf(stderr, "pq_xwd_probe: %s is no screen dump I can read\n", argv[1]);
    return 2;
  }
  const std::uint32_t scale = static_cast<std::uint32_t>(std::atoi(argv[2]));
  const std::uint32_t white = Rgb(smoke::kBars[0]);
  // The picture's top-left corner: the first white run as wide as a bar.
  const std::uint32_t barWidth = smoke::kBarWidth * scale;
  for (std::uint32_t y = 0; y < d.height; ++y) {
    for (std::uint32_t x = 0; x + barWidth <= d.width; ++x) {
      std::uint32_t run = 0;
      while (x + run < d.width && Near(d.At(x + run, y), white)) ++run;
      if (run < barWidth) {
        x += run;
        continue;
      }
      if (run != barWidth || x + 640 * scale > d.width || y + 480 * scale > d.height) {
        std::fprintf(stderr, "pq_xwd_probe: white run of %u at (%u, %u) is not a bar at scale %u\n",
                     run, x, y, scale);
        return 1;
      }
      int bad = 0;
      auto expect = [&](std::uint32_t px, std::uint32_t py, std::uint16_t colour,
                        const char* what) {
        const std::uint32_t got = d.At(x + px * scale + scale / 2, y + py * scale + scale / 2);
        if (!Near(got, Rgb(colour))) {
          std::fprintf(stderr, "pq_xwd_probe: %s at (%u, %u) is %06X, not %06X\n", what, px, py,
                       got, Rgb(colour));
          ++bad;
        }
      };
      for (std::uint32_t i = 0; i < 8; ++i) {
        expect(i * smoke::kBarWidth + 40, 40, smoke::kBars[i], "bar");
        expect(i * smoke::kBarWidth + 1, 470, smoke::kBars[i], "bar");
      }
      expect(639, 479, smoke::kBars[7], "bottom-right corner");
      expect(320, 240, 0, "box");
      expect(smoke::kBoxLeft, smoke::kBoxTop, 0, "box corner");
      expect(smoke::kBoxLeft - 1, smoke::kBoxTop, smoke::BarsAt(smoke::kBoxLeft - 1), "beside box");
      expect(smoke::kBoxRight - 1, smoke::kBoxBottom - 1, 0, "box corner");
      expect(smoke::kBoxRight, smoke::kBoxBottom, smoke::BarsAt(smoke::kBoxRight), "below box");
      if (bad != 0) return 1;
      std::printf("picture found at (%u, %u), scale %u\n", x, y, scale);
      return 0;
    }
  }
  std::fprintf(stderr, "pq_xwd_probe: the picture is not on the screen\n");
  return 1;
}
