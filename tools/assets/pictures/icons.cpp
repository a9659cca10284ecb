// The desktop icon in the sizes of the icon theme: the window icon's 64 x 64
// picture, its magenta made transparent, scaled by area so that the small
// sizes stay smooth and the large ones keep crisp pixels.
#include <cmath>
#include <string>

#include "common/png_writer.h"
#include "pictures/art.h"
#include "pictures/pictures.h"

namespace {

// RGBA bytes of `icon` scaled to size x size. Each new pixel averages the
// part of the picture it covers, weighted by coverage and by opacity.
std::vector<std::uint8_t> Scaled(const Canvas& icon, int size) {
  const double step = static_cast<double>(icon.Width()) / size;
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(size) * size * 4);
  for (int ty = 0; ty < size; ++ty) {
    for (int tx = 0; tx < size; ++tx) {
      const double x0 = tx * step, x1 = x0 + step, y0 = ty * step, y1 = y0 + step;
      double r = 0, g = 0, b = 0, a = 0, area = 0;
      for (int sy = static_cast<int>(y0); sy < static_cast<int>(std::ceil(y1)); ++sy) {
        const double h = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
        for (int sx = static_cast<int>(x0); sx < static_cast<int>(std::ceil(x1)); ++sx) {
          const double w = (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0)) * h;
          const Rgb p = icon.Get(sx, sy);
          area += w;
          if (p == kMagenta) continue;
          r += p.r * w;
          g += p.g * w;
          b += p.b * w;
          a += w;
        }
      }
      auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(v)); };
      out.push_back(a > 0 ? byte(r / a) : 0);
      out.push_back(a > 0 ? byte(g / a) : 0);
      out.push_back(a > 0 ? byte(b / a) : 0);
      out.push_back(byte(255 * a / area));
    }
  }
  return out;
}

}  // namespace

void WriteIconPngs(const std::filesystem::path& dir) {
  const Canvas icon = DrawIconPicture();
  for (int size : {16, 32, 48, 64, 128, 256}) {
    WritePng(dir / ("pimquest-" + std::to_string(size) + ".png"), size, size, true,
             Scaled(icon, size));
  }
}
