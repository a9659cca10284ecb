// Tile sheets of the three places seen close up: the village, the King's
// castle and Elmo's castle, all in 3/4 view with roofless buildings. Light
// comes from the upper left, so walls shade the floor below and to their right.
#include <algorithm>
#include <cmath>
#include <functional>

#include "common/paint.h"
#include "pictures/art.h"

namespace {

using PixelFn = std::function<Rgb(int x, int y)>;

void Tile(Canvas& sheet, int code, const PixelFn& f) {
  const int ox = (code % 16) * 32, oy = (code / 16) * 32;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) sheet.Set(ox + x, oy + y, f(x, y));
}
// Draws over a tile that is already there, in tile-local coordinates.
struct Over {
  Canvas& c;
  int ox, oy;
  Over(Canvas& sheet, int code) : c(sheet), ox((code % 16) * 32), oy((code / 16) * 32) {}
  void R(int x, int y, int w, int h, Rgb col) {
    for (int j = std::max(0, y); j < std::min(32, y + h); ++j)
      for (int i = std::max(0, x); i < std::min(32, x + w); ++i) c.Set(ox + i, oy + j, col);
  }
  void P(int x, int y, Rgb col) {
    if (x >= 0 && y >= 0 && x < 32 && y < 32) c.Set(ox + x, oy + y, col);
  }
  Rgb G(int x, int y) const { return c.Get(ox + x, oy + y); }
  void E(double cx, double cy, double rx, double ry, Rgb col) {
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        if (dx * dx + dy * dy <= 1) P(x, y, col);
      }
  }
  void Shade(int x, int y, int w, int h, double f) {
    for (int j = std::max(0, y); j < std::min(32, y + h); ++j)
      for (int i = std::max(0, x); i < std::min(32, x + w); ++i) P(i, j, Scale(G(i, j), f));
  }
};

int M32(int v) {
  return ((v % 32) + 32) % 32;
}

// ---------------------------------------------------------------- village
Rgb Ground(int x, int y) {
  const int u = M32(x), v = M32(y);
  const double n = ValueNoise(u, v, 8, 32, 101);
  Rgb c = RampDither(pal::kGrass, 4, 0.58 + 0.1 * n, x, y);
  // Tufts of blades: a dark V with a lit tip, scattered so that no two line
  // up within the cell.
  static constexpr int kTufts[][2] = {{3, 4}, {20, 2}, {11, 13}, {27, 17}, {6, 24}, {18, 27}};
  for (const auto& t : kTufts) {
    const int dx = M32(u - t[0]), dy = M32(v - t[1]);
    if ((dy == 0 && (dx == 0 || dx == 2 || dx == 4)) || (dy == 1 && (dx == 1 || dx == 3)))
      c = pal::kGrass[0];
    if (dy == 31 && (dx == 0 || dx == 4)) c = pal::kGrass[3];
  }
  if (Hash01(u, v, 102) < 0.012) c = pal::kGrass[3];
  return c;
}

Rgb TallGrass(int x, int y, int seed) {
  // Blades: vertical strokes of varying height, dark at the root.
  const int col = M32(x);
  const int phase = static_cast<int>(Hash(col / 2, 0, 103 + seed) % 8);
  const int v = (M32(y) + phase) % 8;
  Rgb c = v < 2 ? pal::kLeaf[3] : v < 5 ? pal::kLeaf[2] : pal::kLeaf[1];
  if ((col + v) % 4 == 0) c = pal::kLeaf[1];
  if (v == 7) c = pal::kLeaf[0];
  return c;
}

Rgb Water(int x, int y) {
  const int band = M32(y) / 8, row = M32(y) % 8, k = M32(x + band * 13);
  Rgb c = RampDither(pal::kWater, 3, 0.5 + 0.25 * ValueNoise(M32(x), M32(y), 16, 32, 104), x, y);
  if (row == 2 && k % 16 < 5) c = pal::kWater[3];
  if (row == 3 && k % 16 >= 5 && k % 16 < 7) c = pal::kWater[2];
  return c;
}

Rgb Road(int x, int y) {
  Rgb c = RampDither(pal::kSand, 4, 0.42 + 0.2 * ValueNoise(M32(x), M32(y), 8, 32, 105), x, y);
  const double h = Hash01(M32(x), M32(y), 106);
  if (h < 0.04) c = pal::kSand[0];
  if (h > 0.98) c = pal::kSand[3];
  return c;
}

Rgb Planks(int x, int y) {  // boards running left to right, 8 px apart
  const int row = M32(y) / 8, v = M32(y) % 8;
  const int joint = (M32(x) + row * 11) % 32;
  if (v == 7 || joint == 0) return pal::kWood[0];
  if (v == 0) return pal::kWood[3];
  return RampDither(pal::kWood, 4, 0.55 + 0.15 * Hash01(M32(x) / 6, row, 107), x, y);
}

Rgb WallTop(int x, int y) {  // the top of a wall seen from above, seamless
  const int v = M32(y) % 8, row = M32(y) / 8;
  const bool joint = v == 7 || (M32(x) + row * 8) % 16 == 0;
  if (joint) return pal::kStone[0];
  return RampDither(pal::kStone, 4, 0.45 + 0.2 * Hash01((M32(x) + row * 8) / 16, row, 108), x, y);
}

Rgb Plaster(int x, int y) {  // wall face: beam, plaster, skirting
  const int v = M32(y);
  if (v < 3) return v == 0 ? pal::kWood[2] : pal::kWood[1];
  if (v >= 28) return v == 31 ? pal::kWood[0] : pal::kWood[1];
  if (M32(x) % 16 == 0) return pal::kWood[1];
  return RampDither(pal::kSand, 4, 0.8 - 0.25 * (v - 3) / 25.0, x, y);
}

Rgb FloorShadowLeft(int x, int y) {
  const Rgb f = Planks(x, y);
  return x < 6 ? Scale(f, 0.6) : (x < 7 ? Scale(f, 0.8) : f);
}

void Window(Over& o, int x, int y) {
  o.R(x, y, 14, 12, pal::kWood[0]);
  o.R(x + 1, y + 1, 12, 10, pal::kBlue[3]);
  o.R(x + 1, y + 1, 5, 4, pal::kWhite);
  o.R(x + 6, y + 1, 2, 10, pal::kWood[1]);
  o.R(x + 1, y + 5, 12, 2, pal::kWood[1]);
  o.R(x - 1, y + 12, 16, 2, pal::kWood[2]);
}

void Shelves(Over& o) {
  o.R(2, 3, 28, 27, pal::kWood[0]);
  for (int s = 0; s < 3; ++s) {
    const int sy = 4 + s * 9;
    o.R(3, sy, 26, 7, Scale(pal::kWood[0], 0.7));
    o.R(2, sy + 7, 28, 2, pal::kWood[2]);
    for (int k = 0; k < 4; ++k) {  // bottles and boxes
      const int bx = 5 + k * 6 + (s % 2) * 2;
      const Rgb col = (k + s) % 3 == 0   ? pal::kRed[2]
                      : (k + s) % 3 == 1 ? pal::kBlue[2]
                                         : pal::kLeaf[3];
      if ((k + s) % 2)
        o.R(bx, sy + 2, 3, 5, col), o.P(bx + 1, sy + 1, col), o.P(bx, sy + 2, pal::kWhite);
      else
        o.R(bx - 1, sy + 3, 5, 4, pal::kSand[2]), o.R(bx - 1, sy + 3, 5, 1, pal::kSand[3]);
    }
  }
}

void Jar(Over& o) {
  o.E(16, 27, 10, 3.5, Scale(pal::kWood[1], 0.7));  // shadow
  o.E(16, 18, 9, 10, pal::kEarth[1]);
  o.E(13, 15, 4, 5, pal::kEarth[2]);
  o.E(12, 13, 1.5, 2, pal::kEarth[3]);
  o.R(11, 6, 10, 3, pal::kEarth[0]);
  o.R(12, 5, 8, 1, pal::kEarth[2]);
}

void CounterTop(Over& o, bool leftCap, bool rightCap) {
  // Wooden counter: a light top over a panelled front, on the floor.
  o.R(0, 8, 32, 8, pal::kWood[3]);
  o.R(0, 8, 32, 1, pal::kGold[3]);
  o.R(0, 15, 32, 1, pal::kWood[1]);
  for (int y = 16; y < 30; ++y)
    for (int x = 0; x < 32; ++x)
      o.P(x, y, (x % 8 == 0) ? pal::kWood[0] : (x % 8 == 1 ? pal::kWood[2] : pal::kWood[1]));
  o.R(0, 30, 32, 2, Scale(pal::kWood[0], 0.7));
  if (leftCap) o.R(0, 8, 2, 22, pal::kWood[0]), o.R(2, 9, 1, 6, pal::kWhite);
  if (rightCap) o.R(30, 8, 2, 22, pal::kWood[0]);
}

}  // namespace

Canvas DrawVillageSheet() {
  Canvas s(512, 96, pal::kBlack);
  Tile(s, 1, Ground);
  Tile(s, 23, Ground);
  Tile(s, 29, Ground);
  Tile(s, 30, Planks);
  Tile(s, 31, Planks);
  Tile(s, 2, [](int x, int y) { return TallGrass(x, y, 0); });
  Tile(s, 9, [](int x, int y) { return TallGrass(x, y, 0); });
  Tile(s, 8, [](int x, int y) {
    Rgb c = TallGrass(x, y, 0);
    const int dx = x - 12, dy = y - 10, ex = x - 23, ey = y - 22;
    if (dx * dx + dy * dy <= 4) c = (dx == 0 && dy == 0) ? pal::kGold[3] : pal::kRed[3];
    if (ex * ex + ey * ey <= 3) c = (ex == 0 && ey == 0) ? pal::kGold[2] : pal::kWhite;
    return c;
  });
  {
    Over o(s, 9);
    o.E(16, 16, 9, 7, pal::kLeaf[1]);
    o.E(14, 14, 5, 3.5, pal::kLeaf[2]);
  }
  // Fence: tall grass behind, a wooden fence, village ground in front.
  Tile(s, 0, [](int x, int y) {
    Rgb c = y < 14 ? TallGrass(x, y, 0) : Ground(x, y);
    if (y >= 14 && y < 17) c = Scale(Ground(x, y), 0.7);
    const int px = x % 16;
    if (px >= 6 && px < 10 && y >= 6 && y < 26)
      c = px == 6 ? pal::kWood[3] : (px == 9 ? pal::kWood[0] : pal::kWood[2]);
    if ((y >= 10 && y < 13) || (y >= 18 && y < 21))
      c = (y == 10 || y == 18) ? pal::kWood[3] : pal::kWood[1];
    if (px >= 6 && px < 10 && y == 5) c = pal::kWood[0];
    if (y >= 26 && y < 28 && px >= 5 && px < 12) c = Scale(Ground(x, y), 0.6);
    return c;
  });
  // Row of trees: crowns (41) over trunks (42).
  auto crown = [](int x, int y, int oy) -> std::pair<bool, Rgb> {
    // Crowns centred every 16 px; 41 holds their tops, 42 their bottoms.
    const int yy = y + oy;
    for (int k = -1; k <= 2; ++k) {
      const double cx = k * 16 + 8 + ((k & 1) ? 0 : 0), cy = 22 + ((k & 1) ? 4 : 0);
      const double nx = (x + 0.5 - cx) / 11.0, ny = (yy + 0.5 - cy) / 14.0;
      if (nx * nx + ny * ny <= 1.0) {
        if (nx * nx + ny * ny > 0.84) return {true, pal::kLeaf[0]};
        double light =
            0.55 - 0.5 * nx - 0.5 * ny + (Hash01(M32(x) / 3, (yy & 63) / 3, 109) - 0.5) * 0.35;
        return {true, RampDither(pal::kLeaf, 4, std::clamp(light, 0.0, 1.0) * 0.8 + 0.1, x, yy)};
      }
    }
    return {false, {}};
  };
  Tile(s, 41, [&](int x, int y) {
    auto [hit, c] = crown(x, y, 0);
    return hit ? c : TallGrass(x, y, 0);
  });
  Tile(s, 42, [&](int x, int y) {
    auto [hit, c] = crown(x, y, 32);
    if (hit) return c;
    const int px = x % 16;
    if (px >= 6 && px < 10 && y < 28) return px < 8 ? pal::kWood[1] : pal::kWood[0];
    Rgb g = Ground(x, y);
    if (y < 30) g = Scale(g, 0.65);
    return g;
  });
  Tile(s, 16, Road);
  // River banks and water.
  Tile(s, 5, Water);
  Tile(s, 3, [](int x, int y) {
    const int edge = 10 + static_cast<int>(2 * std::sin(x * 0.39));
    if (y < edge) return Ground(x, y);
    if (y < edge + 4) return y == edge ? pal::kEarth[2] : pal::kEarth[1];
    if (y < edge + 5) return pal::kWater[3];
    return Water(x, y);
  });
  Tile(s, 4, [](int x, int y) {
    const int edge = 20 + static_cast<int>(2 * std::sin(x * 0.39 + 1));
    if (y < edge - 1) return Water(x, y);
    if (y < edge) return pal::kWater[3];
    if (y < edge + 3) return y == edge ? pal::kEarth[3] : pal::kEarth[2];
    return Ground(x, y);
  });
  // Bridge, two cells wide: left half has the left railing, right half the right.
  auto deck = [](int x, int y, bool left) {
    const int rx = left ? x : 31 - x;
    if (rx < 3) return rx == 0 ? pal::kWood[0] : (rx == 1 ? pal::kWood[3] : pal::kWood[1]);
    if (rx == 3) return Scale(pal::kWood[1], 0.7);
    const int v = M32(y) % 6;
    if (v == 5) return pal::kWood[0];
    return v == 0 ? pal::kWood[3] : pal::kWood[2];
  };
  Tile(s, 45, [&](int x, int y) { return deck(x, y, true); });
  Tile(s, 46, [&](int x, int y) { return deck(x, y, false); });
  Tile(s, 43, [&](int x, int y) { return y < 8 ? Ground(x, y) : deck(x, y, true); });
  Tile(s, 44, [&](int x, int y) { return y < 8 ? Ground(x, y) : deck(x, y, false); });
  Tile(s, 47, [&](int x, int y) { return y >= 26 ? Ground(x, y) : deck(x, y, true); });
  Tile(s, 20, [&](int x, int y) { return y >= 26 ? Ground(x, y) : deck(x, y, false); });
  for (int code : {43, 44, 47, 20}) {  // posts at the ends
    Over o(s, code);
    const bool left = code == 43 || code == 47;
    const int py = (code == 43 || code == 44) ? 5 : 24;
    o.R(left ? 0 : 28, py, 4, 6, pal::kWood[0]);
    o.R(left ? 1 : 29, py, 2, 1, pal::kWood[3]);
  }
  // Walls.
  Tile(s, 10, WallTop);
  Tile(s, 12, WallTop);
  Tile(s, 11, Plaster);
  Tile(s, 13, Plaster);
  {
    Over o(s, 13);
    Window(o, 9, 8);
  }
  Tile(s, 38, Plaster);
  {
    Over o(s, 38);
    Shelves(o);
  }
  Tile(s, 6, [](int x, int y) {
    // Door post: a stout timber standing in the wall-face row.
    if (x >= 8 && x < 24) {
      if (x == 8 || x == 23) return pal::kWood[0];
      return x < 12 ? pal::kWood[3] : (x < 18 ? pal::kWood[2] : pal::kWood[1]);
    }
    return x < 8 ? Scale(Planks(x, y), 0.6) : Planks(x, y);
  });
  Tile(s, 7, [](int x, int y) {  // shop's outer wall: vertical boards
    const int v = M32(y);
    if (v < 2) return pal::kWood[0];
    if (v >= 29) return Scale(Ground(x, y), 0.6);
    if (x % 8 == 0) return pal::kWood[0];
    return RampDither(pal::kWood, 4, 0.45 + 0.1 * ((x % 8) < 3) - 0.2 * v / 30.0, x, y);
  });
  Tile(s, 15, [](int x, int y) {
    const int v = M32(y);
    if (v < 2) return pal::kWood[0];
    if (v >= 29) return Scale(Ground(x, y), 0.6);
    if (x % 8 == 0) return pal::kWood[0];
    return RampDither(pal::kWood, 4, 0.45 + 0.1 * ((x % 8) < 3) - 0.2 * v / 30.0, x, y);
  });
  {
    Over o(s, 15);  // hanging sign with a bag of gold
    o.R(4, 6, 24, 18, pal::kWood[0]);
    o.R(5, 7, 22, 16, pal::kSand[3]);
    o.E(16, 17, 6, 5, pal::kEarth[2]);
    o.R(14, 10, 4, 3, pal::kEarth[1]);
    o.R(15, 15, 2, 4, pal::kGold[2]);
    o.R(8, 3, 1, 3, pal::kStone[1]), o.R(23, 3, 1, 3, pal::kStone[1]);
  }
  Tile(s, 24, Planks);
  Tile(s, 27, FloorShadowLeft);
  Tile(s, 14, [](int x, int y) {  // paving slabs
    const int u = M32(x), v = M32(y);
    const bool joint = v % 16 == 15 || (u + (v / 16) * 8) % 16 == 15;
    if (joint) return pal::kStone[1];
    return RampDither(pal::kStone, 4, 0.6 + 0.12 * Hash01((u + (v / 16) * 8) / 16, v / 16, 110), x,
                      y);
  });
  Tile(s, 34, Planks);
  Tile(s, 35, Planks);
  Tile(s, 36, Planks);
  {
    Over o(s, 34);
    CounterTop(o, true, false);
  }
  {
    Over o(s, 35);
    CounterTop(o, false, false);
  }
  {
    Over o(s, 36);
    CounterTop(o, false, true);
  }
  Tile(s, 37, Planks);
  {
    Over o(s, 37);
    Jar(o);
  }
  // Bed: the head against the wall (21), the blanket below (22).
  Tile(s, 21, Plaster);
  {
    Over o(s, 21);
    o.R(3, 6, 26, 26, pal::kWood[0]);
    o.R(4, 7, 24, 4, pal::kWood[2]);
    o.R(5, 14, 22, 18, pal::kWhite);
    o.E(16, 20, 9, 4, pal::kStone[3]);
    o.E(14, 19, 6, 2.5, pal::kWhite);
    o.R(5, 26, 22, 6, pal::kBlue[2]);
    o.R(5, 26, 22, 1, pal::kBlue[3]);
  }
  Tile(s, 22, Planks);
  {
    Over o(s, 22);
    o.R(3, 0, 26, 26, pal::kWood[0]);
    o.R(5, 0, 22, 24, pal::kBlue[2]);
    for (int y = 0; y < 24; ++y)
      for (int x = 5; x < 27; ++x)
        if ((x + y) % 6 == 0) o.P(x, y, pal::kBlue[1]);
    o.R(5, 0, 3, 24, pal::kBlue[3]);
    o.R(3, 26, 26, 2, Scale(pal::kWood[1], 0.6));
  }
  return s;
}

// ---------------------------------------------------------------- castle
namespace {
Rgb Flags(int x, int y) {  // stone flag floor, 16 px slabs in a running bond
  const int u = M32(x), v = M32(y);
  const int row = v / 16;
  const int su = (u + row * 8) % 16;
  if (v % 16 == 15 || su == 15) return pal::kStone[1];
  if (v % 16 == 0 || su == 0) return pal::kStone[3];
  return RampDither(pal::kStone, 4, 0.58 + 0.1 * Hash01((u + row * 8) / 16, row, 120), x, y);
}
Rgb CastleWallTop(int x, int y) {
  const int v = M32(y) % 8, row = M32(y) / 8;
  if (v == 7 || (M32(x) + row * 8) % 16 == 0) return pal::kRock[0];
  return RampDither(pal::kRock, 4, 0.5 + 0.15 * Hash01((M32(x) + row * 8) / 16, row, 121), x, y);
}
Rgb Masonry(int x, int y, double light) {  // a wall face of ashlar blocks
  const int v = M32(y), row = v / 8;
  if (v % 8 == 7 || (M32(x) + row * 8) % 16 == 0) return pal::kStone[0];
  return RampDither(pal::kStone, 4,
                    light + 0.08 * Hash01((M32(x) + row * 8) / 16, row, 122) - 0.1 * (v % 8) / 7, x,
                    y);
}
Rgb Carpet(int x, int y, bool left) {
  const int rx = left ? x : 31 - x;
  if (rx < 2) return pal::kGold[1];
  if (rx < 3) return pal::kGold[3];
  if (rx < 4) return pal::kRed[0];
  const int v = M32(y);
  if (!left && rx == 4 && v % 4 == 0) return pal::kRed[1];
  return (left ? (rx == 5 && v % 8 == 0) : false)
             ? pal::kGold[2]
             : (DitherOn(x, y, 0.12) ? pal::kRed[1] : pal::kRed[2]);
}
}  // namespace

Canvas DrawCastleSheet() {
  Canvas s(512, 128, pal::kBlack);
  Tile(s, 35, [](int x, int y) {  // the dark outside: black with faint roof-slate texture
    const int v = M32(y) % 8;
    return (v == 7 || (M32(x) + (M32(y) / 8) * 6) % 12 == 0) ? Rgb{20, 20, 32} : Rgb{32, 30, 46};
  });
  Tile(s, 23, CastleWallTop);
  Tile(s, 22, CastleWallTop);
  Tile(s, 1, [](int x, int y) {  // north wall face with tapestries
    Rgb c = Masonry(x, y, 0.55);
    const int u = M32(x);
    if (u >= 6 && u < 26 && y >= 2 && y < 28) {
      const bool point = y >= 24 && std::abs(u - 15.5) > (28 - y) * 2.5;
      if (!point) {
        c = (u == 6 || u == 25) ? pal::kGold[1] : pal::kRed[2];
        if (u >= 8 && u < 24 && y >= 4 && y < 26 && (u == 8 || u == 23)) c = pal::kGold[2];
        const int cx = u - 16, cy = y - 13;
        if (std::abs(cx) + std::abs(cy) < 5) c = pal::kGold[2];
        if (std::abs(cx) + std::abs(cy) < 2) c = pal::kGold[3];
        if (y == 2) c = pal::kWood[0];
      }
    }
    return c;
  });
  Tile(s, 17, [](int x, int y) { return Masonry(x, y, 0.55); });
  Tile(s, 2, [](int x, int y) {  // outer facade with an arrow slit
    Rgb c = Masonry(x, y, 0.65);
    const int u = M32(x);
    if (u >= 14 && u < 18 && y >= 8 && y < 24) c = u == 14 ? pal::kStone[0] : pal::kBlack;
    return c;
  });
  Tile(s, 3, [](int x, int y) {  // the moat
    Rgb c = Water(x, y);
    if (y < 3) c = y == 0 ? pal::kStone[0] : Scale(Water(x, y), 0.55);
    return c;
  });
  Tile(s, 20, Flags);
  Tile(s, 21, Flags);
  Tile(s, 48, Flags);
  Tile(s, 8, [](int x, int y) { return y < 8 ? Scale(Flags(x, y), 0.62) : Flags(x, y); });
  Tile(s, 9,
       [](int x, int y) { return (y < 8 || x < 8) ? Scale(Flags(x, y), 0.62) : Flags(x, y); });
  Tile(s, 34, [](int x, int y) { return x < 8 ? Scale(Flags(x, y), 0.62) : Flags(x, y); });
  auto step = [](int x, int y, bool shadow) {
    // Dais above, a step down with a lit edge and a dark riser.
    Rgb c = Flags(x, y);
    if (y < 20) c = Flags(x, y);
    if (y >= 18 && y < 20) c = pal::kStone[3];
    if (y >= 20 && y < 26) c = (y == 20) ? pal::kStone[2] : pal::kStone[1];
    if (y >= 26 && y < 28) c = Scale(Flags(x, y), 0.7);
    if (shadow && x < 8) c = Scale(c, 0.62);
    return c;
  };
  Tile(s, 5, [&](int x, int y) { return step(x, y, false); });
  Tile(s, 4, [&](int x, int y) { return step(x, y, true); });
  Tile(s, 32, [](int x, int y) { return Carpet(x, y, true); });
  Tile(s, 16, [](int x, int y) { return Carpet(x, y, false); });
  auto carpetStep = [&](int x, int y, bool left) {
    Rgb c = Carpet(x, y, left);
    if (y >= 18 && y < 20) c = Scale(c, 1.25);
    if (y >= 20 && y < 26) c = Scale(c, 0.7);
    return c;
  };
  Tile(s, 18, [&](int x, int y) { return carpetStep(x, y, true); });
  Tile(s, 19, [&](int x, int y) { return carpetStep(x, y, false); });
  auto fringe = [](int x, int y, bool left) {
    if (y < 24) return Carpet(x, y, left);
    if (y < 26) return pal::kGold[1];
    if (y < 30 && x % 2 == 0) return pal::kGold[2];
    return Flags(x, y);
  };
  Tile(s, 0, [&](int x, int y) { return fringe(x, y, true); });
  Tile(s, 36, [&](int x, int y) { return fringe(x, y, false); });
  // Throne: backrest (6, 7) in the shadowed row, seat (49, 50) below, one wide chair.
  auto throne = [](int x, int y, bool left, bool back) -> Rgb {
    const int rx = left ? x : 31 - x;  // 0 at the throne's outer side
    Rgb floor = back ? (y < 8 ? Scale(Flags(x, y), 0.62) : Flags(x, y)) : Flags(x, y);
    if (back) {
      if (rx < 4 || y < 2) return floor;
      if (rx < 6 || y < 4) return pal::kGold[rx < 5 || y < 3 ? 1 : 2];
      if (y >= 4 && rx >= 6)
        return y < 6 ? pal::kGold[2] : (rx < 8 ? pal::kGold[1] : pal::kRed[1 + (rx > 12)]);
      return floor;
    }
    if (rx < 4) return y < 22 ? pal::kGold[1] : floor;
    if (rx < 6) return y < 24 ? pal::kGold[2] : floor;
    if (y < 12) return pal::kRed[2 + (y < 3 ? 1 : 0)];
    if (y < 14) return pal::kGold[2];
    if (y < 24) return pal::kRed[0];
    return floor;
  };
  Tile(s, 6, [&](int x, int y) { return throne(x, y, true, true); });
  Tile(s, 7, [&](int x, int y) { return throne(x, y, false, true); });
  Tile(s, 49, [&](int x, int y) { return throne(x, y, true, false); });
  Tile(s, 50, [&](int x, int y) { return throne(x, y, false, false); });
  {
    Over o(s, 6);
    o.E(32, 10, 4, 4, pal::kRed[3]);
    o.E(32, 10, 2, 2, pal::kGold[3]);
  }
  {
    Over o(s, 7);
    o.E(0, 10, 4, 4, pal::kRed[3]);
    o.E(0, 10, 2, 2, pal::kGold[3]);
  }
  return s;
}

// ---------------------------------------------------------------- Elmo's castle
namespace {
Rgb Void(int x, int y) {
  const double h = Hash01(M32(x), M32(y), 130);
  if (h > 0.996) return {88, 72, 120};
  return DitherOn(x, y, 0.15 + 0.1 * ValueNoise(M32(x), M32(y), 16, 32, 131)) ? Rgb{24, 16, 36}
                                                                              : Rgb{14, 10, 22};
}
Rgb DarkFloor(int x, int y) {  // a dark red runner with a faint diamond pattern
  const int u = M32(x) % 16, v = M32(y) % 16;
  Rgb c = DitherOn(x, y, 0.3) ? Rgb{104, 28, 44} : Rgb{88, 20, 40};
  const int d = std::abs(u - 8) + std::abs(v - 8);
  if (d == 6) c = Rgb{120, 40, 52};
  if (d == 0) c = Rgb{136, 72, 48};
  return c;
}
// The walkway's curb: a raised band of dressed stone with a gold inlay along
// the runner. On the left the light from the upper left falls on it and it
// casts a thin shadow onto the runner; the lit variant beside a brazier takes
// a warm glow that fades out before the cells above and below.
Rgb Border(int x, int y, bool left, bool lit) {
  const int rx = left ? x : 31 - x;  // 0 at the drop into the void
  const int v = M32(y);
  Rgb c;
  if (rx < 1) {
    c = Void(x, y);
  } else if (rx < 3) {
    c = Rgb{40, 28, 56};  // the curb's face, in shade
  } else if (rx < 10) {
    // Blocks 16 rows long, joints staggered between the two curbs.
    const int joint = (v + (left ? 0 : 8)) % 16;
    const double level = 0.55 + (rx == 3 ? 0.25 : 0.0) - (joint == 15 ? 0.3 : 0.0) +
                         0.12 * (ValueNoise(rx, v, 4, 32, left ? 141 : 142) - 0.5);
    static constexpr Rgb kCurb[4] = {{44, 32, 64}, {76, 60, 100}, {108, 92, 132}, {148, 132, 168}};
    c = joint == 0 ? kCurb[0] : RampDither(kCurb, 4, level, x, y);
  } else if (rx < 11) {
    c = pal::kGold[1];  // the inlay, unbroken all the way along
  } else if (rx < 12 && left) {
    c = Rgb{60, 12, 28};  // shadow of the left curb on the runner
  } else {
    c = DarkFloor(x, y);
  }
  if (lit) {
    const double dist = std::hypot(rx * 1.2, (v - 16) * 0.8);
    const double glow = 0.5 * std::max(0.0, 1.0 - dist / 15.0);
    c = Mix(c, Rgb{232, 120, 48}, DitherOn(x, y, 0.5) ? glow : glow * 0.75);
  }
  return c;
}
void Brazier(Over& o) {  // the bowl on the top cell
  o.R(8, 24, 16, 5, pal::kStone[1]);
  o.R(8, 24, 16, 1, pal::kStone[3]);
  o.R(10, 29, 12, 3, pal::kStone[0]);
  o.R(10, 25, 12, 1, pal::kGold[1]);
}
void Flame(Over& o, int frame) {
  static constexpr double kSway[3] = {0, -2, 2};
  static constexpr double kHeight[3] = {19, 16, 21};
  const double sway = kSway[frame], h = kHeight[frame];
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 32; ++x) {
      const double t = (24.0 - y) / h;  // 0 at the bowl, 1 at the tip
      if (t < 0 || t > 1) continue;
      const double cx = 16 + sway * t * t;
      const double hw = 7.5 * std::sqrt(1 - t) * (0.6 + 0.4 * (1 - t)) + 0.5;
      const double d = std::abs(x + 0.5 - cx) / hw;
      if (d > 1) continue;
      const double heat = (1 - d) * (1 - t);
      Rgb c = heat > 0.45   ? pal::kGold[3]
              : heat > 0.25 ? pal::kGold[2]
              : heat > 0.1  ? Rgb{240, 128, 32}
                            : pal::kRed[2];
      o.P(x, y, c);
    }
}
}  // namespace

Canvas DrawDemonCastleSheet() {
  Canvas s(512, 32, pal::kBlack);
  Tile(s, 0, Void);
  for (int code : {1, 3, 4}) {
    Tile(s, code, Void);
    Over o(s, code);
    o.Shade(0, 0, 32, 32, 1.0);
    for (int y = 14; y < 32; ++y)  // glow around the bowl
      for (int x = 0; x < 32; ++x) {
        const double d = std::hypot(x - 16.0, y - 22.0);
        if (d < 14) o.P(x, y, Mix(o.G(x, y), Rgb{120, 40, 24}, 0.5 * (1 - d / 14)));
      }
    Flame(o, code == 1 ? 0 : code == 3 ? 1 : 2);
    Brazier(o);
  }
  Tile(s, 2, Void);
  {
    Over o(s, 2);  // the stand: a stone pillar on a foot
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const double d = std::hypot(x - 16.0, y + 10.0);
        if (d < 16) o.P(x, y, Mix(o.G(x, y), Rgb{120, 40, 24}, 0.35 * (1 - d / 16)));
      }
    o.R(12, 0, 8, 24, pal::kStone[1]);
    o.R(12, 0, 3, 24, pal::kStone[2]);
    o.R(18, 0, 2, 24, pal::kStone[0]);
    o.R(8, 24, 16, 4, pal::kStone[1]);
    o.R(8, 24, 16, 1, pal::kStone[2]);
    o.R(6, 28, 20, 3, pal::kStone[0]);
    o.R(12, 8, 8, 1, pal::kGold[1]);
  }
  Tile(s, 5, DarkFloor);
  Tile(s, 9, DarkFloor);
  Tile(s, 10, DarkFloor);
  Tile(s, 6, [](int x, int y) { return Border(x, y, true, false); });
  Tile(s, 8, [](int x, int y) { return Border(x, y, false, false); });
  Tile(s, 7, [](int x, int y) { return Border(x, y, false, true); });
  Tile(s, 11, Void);
  {
    Over o(s, 11);  // pillar seen from above and front
    o.R(5, 0, 22, 32, pal::kPurple[1]);
    o.R(5, 0, 6, 32, pal::kPurple[2]);
    o.R(23, 0, 4, 32, pal::kPurple[0]);
    o.R(3, 26, 26, 6, pal::kPurple[0]);
    o.R(3, 26, 26, 1, pal::kPurple[2]);
    o.R(3, 0, 26, 4, pal::kPurple[2]);
    o.R(3, 4, 26, 1, pal::kPurple[0]);
    o.E(16, 14, 3, 3, pal::kRed[2]);
    o.P(15, 13, pal::kGold[3]);
  }
  return s;
}
