// The world map's tile sheet. Every terrain is a texture that repeats every 32
// pixels, and every edge tile is the same texture cut by a boundary function
// d(x, y) (> 0 inside the terrain) whose sign agrees with its neighbours'
// along the shared edges. Mountains and trees are whole objects on a repeating
// lattice; each is decided at one point that every cell it reaches into sees
// alike (see DecidingPoint), so an edge follows the outlines of peaks and
// crowns and never slices one along a cell boundary.
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "common/paint.h"
#include "pictures/art.h"

namespace {

constexpr double kOut = -99.0;
using DFn = std::function<double(double, double)>;

double SMin(double a, double b, double k = 8.0) {
  const double h = std::max(k - std::abs(a - b), 0.0) / k;
  return std::min(a, b) - h * h * k * 0.25;
}
double SMax(double a, double b, double k = 8.0) {
  return -SMin(-a, -b, k);
}

// Boundary functions of each layer for a world code; kOut when absent.
struct Layers {
  double patch = kOut, sea = kOut, mount = kOut, forest = kOut;
};

// The straight south coast is a row of shallow headlands: the water's edge
// leaves the top corners and bows down to mid-cell, so that a run of them, a
// single cape and the ends beside the diagonal coasts all meet the open sea
// at a corner instead of a cut.
double CapeEdge(double x) {
  const double u = std::clamp(std::abs(x - 16.0) / 15.5, 0.0, 1.0);
  return 16.0 * std::pow(1.0 - std::pow(u, 1.8), 1.0 / 1.8);
}

Layers WorldLayers(int code, double x, double y) {
  Layers l;
  const double r2 = std::numbers::sqrt2;
  switch (code) {
    // Patch of bare earth: the oval 1 2 3 / 16 17 20 / 32 17 36 / 49 50 51.
    case 1:
      l.patch = y + x / 2 - 32;
      break;
    case 2:
      l.patch = y - 16;
      break;
    case 3:
      l.patch = y - 16 - x / 2;
      break;
    case 16:
      l.patch = x + y / 2 - 32;
      break;
    case 17:
      l.patch = 16;
      break;
    case 20:
      l.patch = y / 2 - x;
      break;
    case 32:
      l.patch = x - y / 2 - 16;
      break;
    case 36:
      l.patch = 16 - x - y / 2;
      break;
    case 49:
      l.patch = x / 2 - y;
      break;
    case 50:
      l.patch = 16 - y;
      break;
    case 51:
      l.patch = 16 - x / 2 - y;
      break;
    // Mountains.
    case 8:
      l.mount = 16;
      break;
    case 6:
      l.mount = y - 16;
      break;
    case 5:
      l.mount = x + y - 48;
      break;
    case 21:
      l.mount = x + y - 16;
      break;
    case 7:
      l.mount = SMin(16 - x, y - 16);
      break;
    case 23:
      l.mount = 16 - x;
      break;
    case 52:
      l.mount = x - 16;
      break;
    case 37:
    case 54:
      l.mount = 16 - y;
      break;
    case 22:
      // The step of the south-west slope: it meets the foot (53) on its left
      // and below, and the range above and to the right.
      l.mount = x - y + 16;
      break;
    case 53:
      l.mount = x - y - 16;
      break;
    case 55:
      l.mount = 16 - y - x / 2;
      break;
    // Sea and coasts (the water's edge; the beach lies on the land side).
    case 26:
      l.sea = 16;
      break;
    case 12:
      l.sea = (y - x) / r2;
      break;
    case 9:
      l.sea = (x + y - 32) / r2;
      break;
    case 10: {
      const double slope = (CapeEdge(x + 0.5) - CapeEdge(x - 0.5));
      l.sea = (y - CapeEdge(x)) / std::sqrt(1 + slope * slope);
      break;
    }
    // Forest.
    case 44:
    case 45:
      l.forest = 16;
      break;
    case 42:
      // Grass above it on the diagonal edge: no crown reaches over the top.
      l.forest = SMin(x - 22 + y * 0.2, 2 * (y - 5), 4.0);
      break;
    case 43:
      l.forest = y - 6;
      break;
    case 46:
      l.forest = y - x;
      break;
    case 62:
      l.forest = 16 - x;
      break;
    case 58:
      l.forest = x - y - 16;
      break;
    case 57:
      l.forest = x - y + 16;
      break;
    case 56:
      l.forest = SMax(16 - x, 16 - y);
      break;
    case 59:
      l.forest = 16 - y;
      break;
    case 60:
      l.forest = SMin(16 - x, 16 - y);
      break;
    default:
      break;
  }
  return l;
}

// How much beach a coast has at a point: none at the corners where its
// water's edge meets the next cell's, the full width a few pixels on.
double BeachTaper(int code, double x, double y) {
  double t = 0.5;
  if (code == 12) t = (x + y) / 64;
  if (code == 9) t = (x - y + 32) / 64;
  if (code == 10) t = x / 32;
  return std::clamp(1.9 * std::sin(std::numbers::pi * std::clamp(t, 0.0, 1.0)) - 0.15, 0.0, 1.0);
}

int Mod32(int v) {
  return ((v % 32) + 32) % 32;
}

// One of `shades` even steps between two colours: more shades than a dither
// pattern, and no checkerboard to repeat every tile.
Rgb Shade(Rgb a, Rgb b, double level, int shades) {
  const double q = std::floor(std::clamp(level, 0.0, 0.999) * shades) / (shades - 1);
  return Mix(a, b, q);
}

// A few small marks scattered one per 8 x 8 block, each at its own place in
// the block, so that a field of tiles shows no rows of them.
bool MarkAt(int u, int v, std::uint32_t seed, double chance, int* kind) {
  const int bx = u / 8, by = v / 8;
  if (Hash01(bx, by, seed) >= chance) return false;
  const int mx = bx * 8 + 1 + static_cast<int>(Hash(bx, by, seed + 1) % 6);
  const int my = by * 8 + 1 + static_cast<int>(Hash(bx, by, seed + 2) % 6);
  *kind = static_cast<int>(Hash(bx, by, seed + 3) % 3);
  if (u == mx && v == my) return true;
  if (*kind != 2 && u == mx + (*kind == 0 ? -1 : 1) && v == my + 1) return true;
  return false;
}

Rgb GrassAt(int x, int y, int variant) {
  const int u = Mod32(x), v = Mod32(y);
  // Only fine grain: a blotch large enough to make out would show the
  // tile's repeat across a whole field.
  const double n = 0.6 * ValueNoise(u, v, 4, 32, 13) + 0.4 * Hash01(u, v, 14);
  Rgb c = Shade(Mix(pal::kGrass[1], pal::kGrass[2], 0.28), Mix(pal::kGrass[1], pal::kGrass[2], 0.7),
                0.5 + (n - 0.5) * 1.4, 4);
  // Tufts: a light blade or two over a dark root.
  int kind = 0;
  if (MarkAt(u, v, 21, 0.7, &kind)) c = pal::kGrass[kind == 2 ? 3 : 2];
  if (MarkAt(u, Mod32(v - 1), 21, 0.7, &kind)) c = Mix(pal::kGrass[0], pal::kGrass[1], 0.3);
  if (variant == 38 && MarkAt(u, v, 5, 0.45, &kind)) c = kind == 0 ? pal::kWhite : pal::kGold[2];
  return c;
}

Rgb PatchAt(int x, int y) {
  const int u = Mod32(x), v = Mod32(y);
  const double n = 0.6 * ValueNoise(u, v, 4, 32, 32) + 0.4 * Hash01(u, v, 34);
  Rgb c = Shade(Mix(pal::kSand[0], pal::kSand[1], 0.65), Mix(pal::kSand[1], pal::kSand[2], 0.4),
                0.5 + (n - 0.5) * 1.4, 4);
  int kind = 0;
  if (MarkAt(u, v, 33, 0.5, &kind)) c = kind == 1 ? pal::kSand[3] : pal::kSand[0];
  return c;
}

Rgb WaterAt(int x, int y, double depth) {
  const int u = Mod32(x), v = Mod32(y);
  const double n = ValueNoise(u, v, 16, 32, 41);
  Rgb c = RampDither(pal::kWater, 3, 0.45 + 0.3 * n + std::max(0.0, 0.3 - depth * 0.05), u, v);
  // Wave glints: short light strokes on every eighth row, offset row to row.
  const int band = v / 8, row = v % 8;
  const int k = Mod32(u + band * 11);
  if (row == 3 && (k % 16) < 4) c = pal::kWater[3];
  if (row == 4 && (k % 16) >= 4 && (k % 16) < 6) c = pal::kWater[2];
  return c;
}

// The one point at which an object is decided: its foot, moved onto the seam
// (or the corner) common to every cell its box reaches into, then into this
// cell. Every tile the object touches asks its own boundary at this point,
// and neighbouring boundaries agree along their seams.
std::pair<double, double> DecidingPoint(double x0, double x1, double y0, double y1, double fx,
                                        double fy) {
  auto axis = [](double lo, double hi, double f) {
    const double c0 = std::floor(lo / 32), c1 = std::floor(hi / 32);
    const double a = 32 * std::min(c1, c0 + 1), b = 32 * std::max(c0 + 1, c1);
    return std::clamp(std::clamp(f, a, b), 0.5, 31.5);
  };
  return {axis(x0, x1, fx), axis(y0, y1, fy)};
}

// --- Mountains: one 32 x 32 block of peaks of different sizes that repeats in
// both directions. The two high peaks stand at different heights, so that the
// repeats join into ranges running across the cells instead of one cone to a
// cell. A peak reaches into the cells beside its own but never above or below
// it: the cell above or below may be grass whatever this one is.
struct PeakDef {
  double apexX, footY, h, halfW;
  int seed;
};
constexpr PeakDef kPeaks[] = {
    {9.0, 27.0, 24.0, 16.0, 1},   // a high peak with snow
    {25.0, 42.0, 21.0, 15.0, 2},  // another, half a block down the range
    {1.0, 36.0, 12.0, 10.0, 3},   // small ones in front
    {17.0, 28.0, 10.0, 9.0, 4},
};

struct Peak {
  bool hit = false, apron = false;
  double dx = 0, dy = 0, h = 0, halfW = 0;
  int seed = 0;
};

// Half-width of a peak dy pixels below its apex: the flanks break into a
// shoulder part way down so that no two peaks have the same outline.
double FlankAt(const PeakDef& p, double dy) {
  const double t = dy / p.h;
  return p.halfW * (0.55 * t + 0.45 * t * t * (3 - 2 * t)) + 0.7 * std::sin(dy * 1.3 + p.seed);
}

// The peak in front at (x, y), and whether the point lies on the scree apron
// that rounds a standing peak's foot off into the grass.
Peak FindPeak(double x, double y, const DFn& d) {
  Peak best;
  double bestFoot = -1e9;
  const int ci = static_cast<int>(std::floor(x / 32)), cj = static_cast<int>(std::floor(y / 32));
  for (int j = cj - 1; j <= cj + 1; ++j)
    for (int i = ci - 1; i <= ci + 1; ++i)
      for (const PeakDef& def : kPeaks) {
        const double ax = 32.0 * i + def.apexX, fy = 32.0 * j + def.footY;
        const double ay = fy - def.h;
        const double dy = y - ay, dx = x - ax;
        constexpr double kApron = 4.0;
        if (dy < 0 || dy > def.h + kApron || std::abs(dx) > def.halfW + kApron + 1) continue;
        const bool body = dy <= def.h && std::abs(dx) <= FlankAt(def, dy) + 0.5;
        // The apron: a rim of scree along the flanks that spreads into a
        // rounded skirt below the foot.
        const double below = std::max(0.0, dy - def.h) / kApron;
        const double reach = (FlankAt(def, std::min(dy, def.h)) + 2.5) *
                             std::sqrt(std::max(0.0, 1.0 - below * below));
        const bool apron = !body && std::abs(dx) <= reach;
        if (!body && !apron) continue;
        // A peak stands where its summit or its foot is inside the range:
        // on a north edge the summits rise over the grass, on a south edge
        // the feet stand on it.
        const double x0 = ax - def.halfW - kApron - 1, x1 = ax + def.halfW + kApron + 1;
        const auto [tx, ty] = DecidingPoint(x0, x1, ay, fy + kApron, ax, ay + 3);
        const auto [bx, by] = DecidingPoint(x0, x1, ay, fy + kApron, ax, fy - 1);
        if (d(tx, ty) <= 0 && d(bx, by) <= 0) continue;
        if (body && fy > bestFoot) {
          best = {true, best.apron, dx, dy, def.h, FlankAt(def, dy), def.seed};
          bestFoot = fy;
        }
        if (apron) best.apron = true;
      }
  return best;
}

Rgb PeakColour(const Peak& p, int x, int y) {
  // The high peaks are grey rock, the lower ones a little browner.
  auto tint = [&p](Rgb c) { return p.seed <= 2 ? c : Mix(c, pal::kEarth[1], 0.1 * p.seed); };
  if (std::abs(p.dx) > p.halfW - 1.0 && p.dy > 2) return pal::kRock[0];
  if (p.dy > p.h - 1.0) return pal::kRock[0];
  // The ridge line wanders a little; the face left of it takes the light.
  const double ridge = std::sin(p.dy * 0.45 + p.seed * 1.7) * 1.5 * std::min(1.0, p.dy / 6);
  const bool lit = p.dx < ridge;
  const double snowLine =
      p.h > 18 ? 8.5 + (p.seed == 1 ? 1.5 : 0.0) + 1.8 * std::sin(p.dx * 1.3 + p.seed) : 0.0;
  if (p.dy < snowLine) return lit ? pal::kSnow : pal::kStone[2];
  if (std::abs(p.dx - ridge) < 0.7 && p.dy < p.h - 5)
    return tint(lit ? pal::kRock[3] : pal::kRock[1]);
  const double across = std::abs(p.dx) / std::max(1.0, p.halfW);
  double level = lit ? 0.9 - 0.25 * p.dy / p.h - 0.2 * across : 0.38 - 0.15 * p.dy / p.h;
  // Gullies: short dark streaks running down the faces.
  const int gx = static_cast<int>(std::floor((p.dx + p.dy * (lit ? 0.55 : -0.55)) / 3.0));
  if (Hash01(gx, static_cast<int>(p.dy) / 4, static_cast<std::uint32_t>(p.seed * 7)) < 0.22)
    level -= 0.2;
  return tint(RampDither(pal::kRock, 4, level, x, y));
}

// --- Trees: crowns of different sizes at six places in a block, each with a
// lumpy outline of its own, so that a forest reads as woodland, not a grid.
struct TreeDef {
  double fx, fy, r;
  int seed;
};
constexpr TreeDef kTrees[] = {
    {7, 13, 8.5, 1},  {23, 9, 9.5, 2}, {15, 22, 8.0, 3},
    {31, 24, 9.0, 4}, {4, 31, 9.0, 5}, {20, 35, 8.5, 6},
};

struct Tree {
  bool hit = false, trunk = false, under = false;
  double nx = 0, ny = 0;
  int seed = 0;
};

Tree FindTree(double x, double y, const DFn& d) {
  Tree best;
  double bestFoot = -1e9;
  const int ci = static_cast<int>(std::floor(x / 32)), cj = static_cast<int>(std::floor(y / 32));
  for (int j = cj - 1; j <= cj + 1; ++j)
    for (int i = ci - 1; i <= ci + 1; ++i)
      for (const TreeDef& def : kTrees) {
        const double fx = 32.0 * i + def.fx, fy = 32.0 * j + def.fy;
        const double cx = fx, cy = fy - def.r - 1.5;
        const double rx = def.r * 1.08, ry = def.r * 0.92;
        const double nx = (x - cx) / rx, ny = (y - cy) / ry;
        const double lump = 1.0 + 0.07 * std::sin(5 * std::atan2(ny, nx) + def.seed * 2.1);
        const double r2 = nx * nx + ny * ny;
        const bool crown = r2 <= lump * lump;
        const bool trunk = !crown && std::abs(x - fx) < 1.6 && y >= cy && y <= fy;
        // The shade under and between the crowns reaches a little past them.
        const bool under = r2 <= 1.3 * 1.3;
        if (!crown && !trunk && !under) continue;
        const auto [px, py] = DecidingPoint(cx - rx * 1.3, cx + rx * 1.3, cy - ry * 1.3,
                                            std::max(fy, cy + ry * 1.3), fx, fy - 1);
        if (d(px, py) <= 0) continue;
        best.under = true;
        if ((!crown && !trunk) || fy <= bestFoot) continue;
        best = {true, trunk, true, nx / lump, ny / lump, def.seed};
        bestFoot = fy;
      }
  return best;
}

Rgb TreeColour(const Tree& t, int x, int y) {
  if (t.trunk) return (x & 1) ? pal::kWood[0] : pal::kWood[1];
  const double r = t.nx * t.nx + t.ny * t.ny;
  if (r > 0.8) return pal::kLeaf[0];
  double light = 0.55 - 0.45 * t.nx - 0.6 * t.ny;
  // Leaf clusters: a lumpy pattern on the crown, its own for every tree.
  light +=
      (Hash01(Mod32(x) / 3, Mod32(y) / 3, static_cast<std::uint32_t>(51 + t.seed)) - 0.5) * 0.3;
  return Shade(pal::kLeaf[0], pal::kLeaf[3], 0.06 + 0.7 * std::clamp(light, 0.0, 1.0), 6);
}

enum class Kind { Grass, Patch, Sea, Forest, ForestGap, Mount, MountGap };

struct Sample {
  Kind kind = Kind::Grass;
  Rgb colour;
};

class WorldTile {
 public:
  explicit WorldTile(int code) : code_(code) {}

  double D(int layer, double x, double y) const {
    const Layers l = WorldLayers(code_, x, y);
    switch (layer) {
      case 0:
        return l.patch;
      case 1:
        return l.sea;
      case 2:
        return l.mount;
      default:
        return l.forest;
    }
  }

  Kind KindAt(int x, int y) const { return Eval(x, y, false).kind; }

  Sample Eval(int x, int y, bool colour) const {
    const double px = x + 0.5, py = y + 0.5;
    const Layers l = WorldLayers(code_, px, py);
    Sample s;
    if (l.mount > kOut) {
      DFn d = [this](double a, double b) { return D(2, a, b); };
      const Peak p = FindPeak(px, py, d);
      if (p.hit) return {Kind::Mount, colour ? PeakColour(p, x, y) : Rgb{}};
      // Between the peaks, and round the feet of those that stand on the
      // grass, lies dark scree.
      const double rim = (ValueNoise(Mod32(x), Mod32(y), 8, 32, 87) - 0.5) * 4.0;
      if (p.apron || l.mount + rim > 7)
        return {Kind::MountGap, colour
                                    ? Shade(pal::kRock[0], pal::kRock[1],
                                            0.1 + 0.5 * Hash01(Mod32(x) / 2, Mod32(y) / 2, 83), 3)
                                    : Rgb{}};
    }
    if (l.forest > kOut) {
      DFn d = [this](double a, double b) { return D(3, a, b); };
      const Tree t = FindTree(px, py, d);
      if (t.hit) return {Kind::Forest, colour ? TreeColour(t, x, y) : Rgb{}};
      if (t.under && l.forest > 0) return {Kind::ForestGap, colour ? pal::kLeaf[0] : Rgb{}};
    }
    if (l.sea > kOut) {
      // The water's edge wobbles a little, the beach narrows to nothing where
      // the edge reaches a corner of the cell, and is as wide on every coast.
      const double taper = BeachTaper(code_, px, py);
      const double jag = (ValueNoise(Mod32(x), Mod32(y), 8, 32, 61) - 0.5) * 2.0 * taper;
      const double v = l.sea + jag;
      const double foam = 0.4 + 1.4 * taper, beach = 5.5 * taper;
      if (v > 0) {
        if (!colour) return {Kind::Sea, {}};
        if (v <= foam) return {Kind::Sea, pal::kWhite};
        if (v <= foam + 2.5) return {Kind::Sea, Mix(pal::kWater[2], pal::kWater[3], 0.35)};
        return {Kind::Sea, WaterAt(x, y, v)};
      }
      if (v > -beach) {
        if (!colour) return {Kind::Sea, {}};
        if (v > -1.2) return {Kind::Sea, pal::kSand[1]};
        const double n = ValueNoise(Mod32(x), Mod32(y), 4, 32, 63);
        return {Kind::Sea, Shade(pal::kSand[2], pal::kSand[3], 0.2 + 0.6 * n, 3)};
      }
      if (v > -beach - 1.0 && taper > 0.3 && colour)
        return {Kind::Grass, Mix(pal::kGrass[0], pal::kSand[0], 0.3)};
    }
    if (l.patch > kOut) {
      const double jag = (ValueNoise(Mod32(x), Mod32(y), 4, 32, 71) - 0.5) * 2.5;
      const double v = l.patch + jag;
      if (v > 0) {
        if (!colour) return {Kind::Patch, {}};
        if (v < 1.3) return {Kind::Patch, pal::kSand[0]};
        return {Kind::Patch, PatchAt(x, y)};
      }
    }
    s.kind = Kind::Grass;
    if (colour) s.colour = GrassAt(x, y, code_);
    return s;
  }

  Rgb Pixel(int x, int y) const {
    Sample s = Eval(x, y, true);
    auto solid = [this](int a, int b) {
      const Kind k = KindAt(a, b);
      return k == Kind::Mount || k == Kind::MountGap || k == Kind::Forest || k == Kind::ForestGap;
    };
    if (s.kind == Kind::Grass || s.kind == Kind::Patch) {
      // Objects cast a short shadow down and to the right.
      if (solid(x - 1, y - 1) || solid(x, y - 2) || solid(x - 2, y - 1))
        s.colour = Scale(s.colour, 0.66);
    }
    return s.colour;
  }

 private:
  int code_;
};

void DrawTile(Canvas& sheet, int code) {
  const WorldTile tile(code);
  const int ox = (code % 16) * 32, oy = (code / 16) * 32;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) sheet.Set(ox + x, oy + y, tile.Pixel(x, y));
}

void CopyTile(Canvas& sheet, const Canvas& src, int sx, int sy, int code) {
  sheet.Blit(src, sx, sy, 32, 32, (code % 16) * 32, (code / 16) * 32);
}

}  // namespace

Canvas DrawWorldSheet() {
  Canvas sheet(512, 160, pal::kBlack);
  static constexpr int kTerrain[] = {0,  1,  2,  3,  5,  6,  7,  8,  9,  10, 12, 16, 17, 20,
                                     21, 22, 23, 26, 32, 36, 37, 38, 42, 43, 44, 45, 46, 49,
                                     50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 62};
  for (int code : kTerrain) DrawTile(sheet, code);

  // The village (3 x 2) on grass.
  {
    Canvas pic(96, 64);
    for (int t = 0; t < 6; ++t) {
      const WorldTile g(0);
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) pic.Set((t % 3) * 32 + x, (t / 3) * 32 + y, g.Pixel(x, y));
    }
    DrawVillagePicture(pic, 0, 0);
    static constexpr int kCodes[6] = {13, 14, 15, 29, 30, 31};
    for (int t = 0; t < 6; ++t) CopyTile(sheet, pic, (t % 3) * 32, (t / 3) * 32, kCodes[t]);
  }
  // The King's castle (3 x 3) on grass.
  {
    Canvas pic(96, 96);
    const WorldTile g(0);
    for (int t = 0; t < 9; ++t)
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) pic.Set((t % 3) * 32 + x, (t / 3) * 32 + y, g.Pixel(x, y));
    DrawKingCastlePicture(pic, 0, 0);
    static constexpr int kCodes[9] = {61, 63, 64, 65, 66, 67, 68, 69, 70};
    for (int t = 0; t < 9; ++t) CopyTile(sheet, pic, (t % 3) * 32, (t / 3) * 32, kCodes[t]);
  }
  // Elmo's castle (3 x 3) on the left end of its patch of bare earth.
  {
    Canvas pic(96, 96);
    static constexpr int kGround[9] = {1, 2, 2, 17, 17, 17, 17, 17, 17};
    for (int t = 0; t < 9; ++t) {
      const WorldTile g(kGround[t]);
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) pic.Set((t % 3) * 32 + x, (t / 3) * 32 + y, g.Pixel(x, y));
    }
    DrawElmoCastlePicture(pic, 0, 0);
    for (int t = 0; t < 9; ++t) CopyTile(sheet, pic, (t % 3) * 32, (t / 3) * 32, 71 + t);
  }
  return sheet;
}
