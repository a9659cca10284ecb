#include "common/paint.h"

#include <algorithm>
#include <cmath>

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto m = [t](int p, int q) { return static_cast<std::uint8_t>(std::lround(p + (q - p) * t)); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Rgb Scale(Rgb c, double f) {
  auto s = [f](int v) {
    return static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::lround(v * f)), 0, 255));
  };
  return {s(c.r), s(c.g), s(c.b)};
}

double Bayer(int x, int y) {
  static constexpr int kM[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (kM[y & 3][x & 3] + 0.5) / 16.0;
}

Rgb RampDither(const Rgb* ramp, int count, double level, int x, int y) {
  const double v = std::clamp(level, 0.0, 1.0) * (count - 1);
  int i = static_cast<int>(std::floor(v));
  if (i >= count - 1) return ramp[count - 1];
  return DitherOn(x, y, v - i) ? ramp[i + 1] : ramp[i];
}

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  std::uint32_t h = seed * 0x9E3779B1u ^ static_cast<std::uint32_t>(x) * 0x85EBCA77u ^
                    static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

double Hash01(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  return (Hash(x, y, seed) >> 8) / 16777216.0;
}

double ValueNoise(double x, double y, int cell, int period, std::uint32_t seed) {
  const int cells = period / cell;
  const double fx = x / cell, fy = y / cell;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const double tx = fx - x0, ty = fy - y0;
  auto wrap = [cells](int v) { return ((v % cells) + cells) % cells; };
  auto at = [&](int i, int j) { return Hash01(wrap(i), wrap(j), seed); };
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const double a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
  const double b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
  return a + (b - a) * sy;
}

void FillEllipse(Canvas& c, double cx, double cy, double rx, double ry, Rgb colour) {
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry));
       ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx));
         ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) c.Set(x, y, colour);
    }
}

void FillPolygon(Canvas& c, const std::vector<std::pair<double, double>>& pts, Rgb colour) {
  if (pts.size() < 3) return;
  double minY = pts[0].second, maxY = pts[0].second;
  for (const auto& p : pts) minY = std::min(minY, p.second), maxY = std::max(maxY, p.second);
  for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
    const double sy = y + 0.5;
    std::vector<double> xs;
    for (std::size_t i = 0; i < pts.size(); ++i) {
      const auto& a = pts[i];
      const auto& b = pts[(i + 1) % pts.size()];
      if ((a.second <= sy && b.second > sy) || (b.second <= sy && a.second > sy))
        xs.push_back(a.first + (sy - a.second) / (b.second - a.second) * (b.first - a.first));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5));
           x < static_cast<int>(std::ceil(xs[i + 1] - 0.5)); ++x)
        c.Set(x, y, colour);
  }
}

void Line(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    c.Set(x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void Rect(Canvas& c, int x, int y, int w, int h, Rgb colour) {
  for (int i = x; i < x + w; ++i) c.Set(i, y, colour), c.Set(i, y + h - 1, colour);
  for (int j = y; j < y + h; ++j) c.Set(x, j, colour), c.Set(x + w - 1, j, colour);
}

void OutlineShape(Canvas& c, int x, int y, int w, int h, Rgb bg, Rgb ink) {
  std::vector<std::pair<int, int>> marks;
  auto shape = [&](int i, int j) {
    return i >= x && j >= y && i < x + w && j < y + h && c.Get(i, j) != bg;
  };
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (c.Get(i, j) == bg &&
          (shape(i - 1, j) || shape(i + 1, j) || shape(i, j - 1) || shape(i, j + 1)))
        marks.emplace_back(i, j);
  for (const auto& [i, j] : marks) c.Set(i, j, ink);
}

void GuardMagenta(Canvas& c, int x, int y, int w, int h) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) {
      const Rgb p = c.Get(i, j);
      if (p == kMagenta) continue;
      if ((p.r >> 3) == 31 && (p.g >> 3) == 0 && (p.b >> 3) == 31) c.Set(i, j, {232, 24, 232});
    }
}

namespace {
struct Glyph {
  char ch;
  std::uint8_t rows[7];
};
// Each row: bit 4 is the leftmost pixel.
constexpr Glyph kGlyphs[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
    {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}},
    {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {',', {0x00, 0x00, 0x00, 0x00, 0x0C, 0x04, 0x08}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'\'', {0x04, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00}},
    {' ', {0, 0, 0, 0, 0, 0, 0}},
};
const Glyph* Find(char ch) {
  for (const auto& g : kGlyphs)
    if (g.ch == ch) return &g;
  return nullptr;
}
template <typename F>
void ForEachPixel(std::string_view text, int scale, F f) {
  int cx = 0;
  for (char ch : text) {
    if (const Glyph* g = Find(ch))
      for (int r = 0; r < 7; ++r)
        for (int col = 0; col < 5; ++col)
          if (g->rows[r] & (0x10 >> col))
            for (int sy = 0; sy < scale; ++sy)
              for (int sx = 0; sx < scale; ++sx) f(cx + col * scale + sx, r * scale + sy);
    cx += 6 * scale;
  }
}
}  // namespace

int TextWidth(std::string_view text, int scale) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * 6 * scale - scale;
}

void DrawText(Canvas& c, int x, int y, std::string_view text, Rgb colour, int scale) {
  ForEachPixel(text, scale, [&](int px, int py) { c.Set(x + px, y + py, colour); });
}

void DrawTitleText(Canvas& c, int x, int y, std::string_view text, const Rgb* ramp, int count,
                   Rgb ink, int scale) {
  const int h = 7 * scale;
  // Outline and drop shadow first, then the letters with a top-light gradient.
  ForEachPixel(text, scale, [&](int px, int py) {
    for (int oy = -scale; oy <= 2 * scale; ++oy)
      for (int ox = -scale; ox <= scale + scale / 2; ++ox) c.Set(x + px + ox, y + py + oy, ink);
  });
  ForEachPixel(text, scale, [&](int px, int py) {
    const double t = 1.0 - static_cast<double>(py) / h;
    c.Set(x + px, y + py, RampDither(ramp, count, 0.15 + 0.85 * t, x + px, y + py));
  });
}
