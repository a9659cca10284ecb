#include "common/canvas.h"

#include <fstream>
#include <stdexcept>
#include <string>

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      px_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Canvas::FillRect(int x, int y, int w, int h, Rgb c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy, const Rgb* key) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      if (!src.Inside(sx + i, sy + j)) continue;
      const Rgb c = src.Get(sx + i, sy + j);
      if (key && c == *key) continue;
      Set(dx + i, dy + j, c);
    }
}

namespace {
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
}  // namespace

void WriteBmp(const Canvas& canvas, const std::filesystem::path& file) {
  const auto w = static_cast<std::uint32_t>(canvas.Width());
  const auto h = static_cast<std::uint32_t>(canvas.Height());
  const std::uint32_t stride = (w * 3 + 3) & ~3u;
  const std::uint32_t imageSize = stride * h;
  std::vector<std::uint8_t> out;
  out.reserve(54 + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + imageSize);  // file size
  Put32(out, 0);               // reserved
  Put32(out, 54);              // offset of the pixels
  Put32(out, 40);              // BITMAPINFOHEADER
  Put32(out, w);
  Put32(out, h);  // positive: bottom-up
  Put16(out, 1);  // planes
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = canvas.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const Rgb c = canvas.Get(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (std::uint32_t p = w * 3; p < stride; ++p) out.push_back(0);
  }
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!f) throw std::runtime_error("cannot write " + file.string());
}
