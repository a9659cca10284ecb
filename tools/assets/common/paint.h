// Drawing helpers shared by every picture: one palette, colour mixing, ordered
// dithering, deterministic noise, simple shapes, outlines and a pixel font.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "common/canvas.h"

// The game's palette: a few ramps, dark to light, that every picture draws from.
namespace pal {
inline constexpr Rgb kInk{24, 18, 30};  // outlines
inline constexpr Rgb kBlack{8, 8, 12};
inline constexpr Rgb kWhite{248, 248, 240};
inline constexpr Rgb kGrass[4] = {{40, 96, 40}, {64, 136, 48}, {96, 168, 56}, {144, 200, 80}};
inline constexpr Rgb kLeaf[4] = {{16, 56, 32}, {32, 88, 40}, {56, 120, 48}, {96, 160, 64}};
inline constexpr Rgb kWater[4] = {{24, 48, 120}, {40, 80, 168}, {72, 128, 208}, {168, 208, 240}};
inline constexpr Rgb kSand[4] = {{160, 120, 72}, {200, 160, 96}, {224, 192, 128}, {240, 224, 168}};
inline constexpr Rgb kEarth[4] = {{72, 48, 32}, {112, 72, 40}, {152, 104, 56}, {192, 144, 88}};
inline constexpr Rgb kRock[4] = {{64, 56, 64}, {104, 92, 96}, {148, 136, 128}, {196, 188, 176}};
inline constexpr Rgb kStone[4] = {{56, 56, 72}, {96, 96, 112}, {136, 136, 152}, {184, 184, 200}};
inline constexpr Rgb kWood[4] = {{72, 40, 24}, {120, 72, 32}, {168, 112, 56}, {208, 160, 96}};
inline constexpr Rgb kRed[4] = {{96, 16, 24}, {152, 32, 40}, {200, 56, 56}, {240, 120, 104}};
inline constexpr Rgb kGold[4] = {{136, 88, 16}, {192, 144, 24}, {240, 200, 48}, {255, 240, 144}};
inline constexpr Rgb kBlue[4] = {{24, 32, 88}, {40, 64, 152}, {72, 104, 208}, {136, 168, 240}};
inline constexpr Rgb kPurple[4] = {{40, 16, 56}, {72, 32, 96}, {112, 56, 136}, {160, 104, 184}};
inline constexpr Rgb kSkin[3] = {{176, 104, 72}, {232, 160, 112}, {252, 208, 160}};
inline constexpr Rgb kSnow{236, 240, 248};
}  // namespace pal

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double f);  // darker below 1, lighter above
// Picks one of a dark-to-light ramp for a level from 0 to 1, ordered-dithered
// between neighbouring entries so that gradients keep the small palette.
Rgb RampDither(const Rgb* ramp, int count, double level, int x, int y);
// 4 x 4 Bayer threshold in (0, 1).
double Bayer(int x, int y);
inline bool DitherOn(int x, int y, double t) {
  return t > Bayer(x, y);
}

// Deterministic integer hash and noise; never the C library's rand.
std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed);
double Hash01(std::int32_t x, std::int32_t y, std::uint32_t seed);
// Smooth value noise in [0, 1) with cells of `cell` pixels, repeating every
// `period` pixels in both directions (period a multiple of cell).
double ValueNoise(double x, double y, int cell, int period, std::uint32_t seed);

class Rng {
 public:
  explicit Rng(std::uint32_t seed) : s_(seed ? seed : 0x9E3779B9u) {}
  std::uint32_t Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
  double Unit() { return (Next() >> 8) / 16777216.0; }

 private:
  std::uint32_t s_;
};

// Shapes (all clip to the canvas).
void FillEllipse(Canvas& c, double cx, double cy, double rx, double ry, Rgb colour);
void FillPolygon(Canvas& c, const std::vector<std::pair<double, double>>& pts, Rgb colour);
void Line(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour);
void Rect(Canvas& c, int x, int y, int w, int h, Rgb colour);  // 1-pixel frame

// Outlines the shape drawn inside the box (x, y, w, h) on a background of
// colour `bg`: every background pixel touching the shape (4-neighbours) takes
// `ink`.
void OutlineShape(Canvas& c, int x, int y, int w, int h, Rgb bg, Rgb ink);

// Moves any colour that a 15-bit conversion would turn into magenta away from it.
void GuardMagenta(Canvas& c, int x, int y, int w, int h);

// A 5 x 7 pixel font (capitals, digits, a little punctuation).
int TextWidth(std::string_view text, int scale);
void DrawText(Canvas& c, int x, int y, std::string_view text, Rgb colour, int scale);
// Text with a one-pixel-per-scale dark outline and a vertical colour gradient.
void DrawTitleText(Canvas& c, int x, int y, std::string_view text, const Rgb* ramp, int count,
                   Rgb ink, int scale);
