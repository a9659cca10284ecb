// The world map's tile sheet. Every terrain is a texture that repeats every 32
// pixels, and every edge tile is the same texture cut by a boundary function
// d(x, y) (> 0 inside the terrain) that is linear with slopes of 0, 1/2 or 1 so
// that neighbouring tiles agree along their shared edges. Mountains and trees
// are whole objects on a repeating lattice: one is drawn when d at its foot is
// inside, so edges follow the shapes of peaks and crowns instead of a ruler.
#include <algorithm>
#include <cmath>
#include <functional>

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

Layers WorldLayers(int code, double x, double y) {
  Layers l;
  const double r2 = std::sqrt(2.0);
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
      l.mount = 16 - y;
      break;
    case 22:
      l.mount = SMin(x - y + 16, 24 - y);
      break;
    case 53:
      l.mount = x - y - 16;
      break;
    case 54:
      l.mount = 16 - y;
      break;
    case 55:
      l.mount = 16 - y - x / 2;
      break;
    // Sea and coasts.
    case 26:
      l.sea = 16;
      break;
    case 12:
      l.sea = (y - x) / r2;
      break;
    case 9:
      l.sea = (x + y - 32) / r2;
      break;
    case 10:
      l.sea = y - 16;
      break;
    // Forest.
    case 44:
    case 45:
      l.forest = 16;
      break;
    case 42:
      l.forest = x - 22 + y * 0.2;
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

int Mod32(int v) {
  return ((v % 32) + 32) % 32;
}

Rgb GrassAt(int x, int y, int variant) {
  const int u = Mod32(x), v = Mod32(y);
  const double n = ValueNoise(u, v, 8, 32, 11);
  Rgb c = RampDither(pal::kGrass, 4, 0.47 + 0.1 * n, u, v);
  // Little tufts: a light blade over a dark root.
  if (Hash01(u, v, 21) < 0.035) c = pal::kGrass[3];
  if (Hash01(u, Mod32(v - 1), 21) < 0.035) c = pal::kGrass[0];
  if (variant == 38) {
    if (Hash01(u / 2, v / 2, 5) < 0.05)
      c = (Hash(u / 2, v / 2, 6) & 1) ? pal::kWhite : pal::kGold[2];
  }
  return c;
}

Rgb PatchAt(int x, int y) {
  const int u = Mod32(x), v = Mod32(y);
  const double n = ValueNoise(u, v, 8, 32, 31);
  Rgb c = RampDither(pal::kSand, 4, 0.25 + 0.35 * n, u, v);
  const double h = Hash01(u, v, 33);
  if (h < 0.03)
    c = pal::kSand[0];
  else if (h > 0.985)
    c = pal::kSand[3];
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

// --- Mountains: one 32 x 32 block of peaks of different sizes that repeats in
// both directions. The peaks stand on a slant so that the repeats join into
// ranges running from the lower left to the upper right instead of rows.
struct PeakDef {
  double apexX, footY, h, halfW;
  int seed;
};
constexpr PeakDef kPeaks[] = {
    {9.0, 27.0, 24.0, 17.0, 1},   // a high peak with snow
    {24.0, 31.0, 17.0, 14.0, 2},  // a lower one beside it
    {3.0, 34.0, 12.0, 11.0, 3},   // two small ones in front
    {17.0, 39.0, 11.0, 10.0, 4},
};

struct Peak {
  bool hit = false;
  double dx = 0, dy = 0, h = 0, halfW = 0;
  int seed = 0;
};

// Half-width of a peak dy pixels below its apex: the flanks break into a
// shoulder part way down so that no two peaks have the same outline.
double FlankAt(const PeakDef& p, double dy) {
  const double t = dy / p.h;
  // Steep near the summit, spreading towards the foot, with a rocky wobble.
  return p.halfW * (0.55 * t + 0.45 * t * t * (3 - 2 * t)) + 0.7 * std::sin(dy * 1.3 + p.seed);
}

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
        if (dy < 0 || dy > def.h || fy <= bestFoot) continue;
        if (std::abs(dx) > FlankAt(def, dy) + 0.5) continue;
        // A peak belongs to the tile that holds its foot; judge it at the nearest
        // point of this tile so that neighbours never extrapolate each other's edges.
        if (d(std::clamp(ax, 0.5, 31.5), std::clamp(fy - 1, 0.5, 31.5)) <= 0) continue;
        // A summit that would reach into the cell above is only drawn when that
        // cell is mountain too; over open land it would be cut off at the seam.
        if (ay < 0 && d(std::clamp(ax, 0.5, 31.5), 0.5) <= 0) continue;
        best = {true, dx, dy, def.h, FlankAt(def, dy), def.seed};
        bestFoot = fy;
      }
  return best;
}

Rgb PeakColour(const Peak& p, int x, int y) {
  // The high peak is grey rock, the lower ones a little browner.
  auto tint = [&p](Rgb c) { return p.seed == 1 ? c : Mix(c, pal::kEarth[1], 0.12 * p.seed); };
  if (std::abs(p.dx) > p.halfW - 1.0 && p.dy > 2) return pal::kRock[0];
  // The ridge line wanders a little; the face left of it takes the light.
  const double ridge = std::sin(p.dy * 0.45 + p.seed * 1.7) * 1.5 * std::min(1.0, p.dy / 6);
  const bool lit = p.dx < ridge;
  const double snowLine = p.h > 20 ? 8.0 + 1.5 * std::sin(p.dx * 1.1 + p.seed) : 0.0;
  if (p.dy < snowLine) return lit ? pal::kSnow : pal::kStone[2];
  if (std::abs(p.dx - ridge) < 0.7 && p.dy < p.h - 5)
    return tint(lit ? pal::kRock[3] : pal::kRock[1]);
  const double across = std::abs(p.dx) / std::max(1.0, p.halfW);
  double level = lit ? 0.8 - 0.3 * p.dy / p.h - 0.25 * across : 0.36 - 0.2 * p.dy / p.h;
  // Gullies: short dark streaks running down the faces.
  const int gx = static_cast<int>(std::floor((p.dx + p.dy * (lit ? 0.55 : -0.55)) / 3.0));
  if (Hash01(gx, static_cast<int>(p.dy) / 4, p.seed * 7) < 0.22) level -= 0.22;
  return tint(RampDither(pal::kRock, 4, level, x, y));
}

// --- Trees: crowns on a staggered lattice, feet at (8, 14), (24, 14), (0, 30), (16, 30).
struct Tree {
  bool hit = false, trunk = false;
  double nx = 0, ny = 0;
};

Tree FindTree(double x, double y, const DFn& d) {
  Tree best;
  double bestFoot = -1e9;
  const int ci = static_cast<int>(std::floor(x / 32)), cj = static_cast<int>(std::floor(y / 32));
  for (int j = cj - 1; j <= cj + 1; ++j)
    for (int i = ci - 1; i <= ci + 1; ++i)
      for (int k = 0; k < 4; ++k) {
        static constexpr double kFx[4] = {8, 24, 0, 16}, kFy[4] = {14, 14, 30, 30};
        const double fx = 32.0 * i + kFx[k], fy = 32.0 * j + kFy[k];
        if (fy <= bestFoot) continue;
        const double cx = fx, cy = fy - 10;
        const double nx = (x - cx) / 9.5, ny = (y - cy) / 8.5;
        const bool crown = nx * nx + ny * ny <= 1.0;
        const bool trunk = !crown && std::abs(x - fx) < 2.0 && y >= fy - 4 && y <= fy;
        if (!crown && !trunk) continue;
        if (d(std::clamp(fx, 0.5, 31.5), std::clamp(fy - 1, 0.5, 31.5)) <= 0) continue;
        best = {true, trunk, nx, ny};
        bestFoot = fy;
      }
  return best;
}

Rgb TreeColour(const Tree& t, int x, int y) {
  if (t.trunk) return (x & 1) ? pal::kWood[0] : pal::kWood[1];
  const double r = t.nx * t.nx + t.ny * t.ny;
  if (r > 0.78) return pal::kLeaf[0];
  double light = 0.5 - 0.45 * t.nx - 0.55 * t.ny;
  // Leaf clusters: a lumpy pattern on the crown.
  light += (Hash01(Mod32(x) / 3, Mod32(y) / 3, 51) - 0.5) * 0.35;
  return RampDither(pal::kLeaf, 4, 0.15 + 0.6 * std::clamp(light, 0.0, 1.0), x, y);
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
      // Between the peaks lies dark scree; its rim wanders so that no edge of
      // the range reads as a ruled line.
      const double rim = (ValueNoise(Mod32(x), Mod32(y), 8, 32, 87) - 0.5) * 7.0;
      if (l.mount + rim > 4)
        return {Kind::MountGap,
                colour ? RampDither(pal::kRock, 4,
                                    0.12 + 0.1 * Hash01(Mod32(x) / 2, Mod32(y) / 2, 83), x, y)
                       : Rgb{}};
    }
    if (l.forest > kOut) {
      DFn d = [this](double a, double b) { return D(3, a, b); };
      const Tree t = FindTree(px, py, d);
      if (t.hit) return {Kind::Forest, colour ? TreeColour(t, x, y) : Rgb{}};
      if (l.forest > 2) return {Kind::ForestGap, colour ? pal::kLeaf[0] : Rgb{}};
    }
    if (l.sea > kOut) {
      const double jag = (ValueNoise(Mod32(x), Mod32(y), 8, 32, 61) - 0.5) * 2.0;
      const double v = l.sea + jag;
      if (v > 0) {
        if (!colour) return {Kind::Sea, {}};
        if (v <= 1.0) return {Kind::Sea, pal::kSand[1]};
        if (v <= 3.2) return {Kind::Sea, DitherOn(x, y, 0.2) ? pal::kSand[2] : pal::kSand[3]};
        if (v <= 4.4) return {Kind::Sea, pal::kWhite};
        if (v <= 6.0) return {Kind::Sea, pal::kWater[3]};
        return {Kind::Sea, WaterAt(x, y, v)};
      }
      // The straight south coast is a wide beach: its runs always end against
      // open water, and sand meeting the surf there reads as a spit, where
      // grass would show a cut.
      if (code_ == 10 && v > -13.0) {
        if (!colour) return {Kind::Sea, {}};
        if (v > -2.5) return {Kind::Sea, DitherOn(x, y, 0.3) ? pal::kSand[2] : pal::kSand[3]};
        return {Kind::Sea,
                RampDither(pal::kSand, 4, 0.45 + 0.12 * ValueNoise(Mod32(x), Mod32(y), 4, 32, 63),
                           x, y)};
      }
      if (v > -1.2 && colour) return {Kind::Grass, pal::kGrass[0]};
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
