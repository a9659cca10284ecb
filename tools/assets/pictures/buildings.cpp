// The three buildings of the world map: the village, the King's castle and
// Elmo's castle, each drawn whole and later cut into its cells.
#include <cmath>

#include "common/paint.h"
#include "pictures/art.h"

namespace {

// A house in 3/4 view: a tiled roof over a plastered front with a door and a window.
void House(Canvas& c, int x, int y, int w, int roofH, int wallH, const Rgb* roof, bool door) {
  const int wallY = y + roofH;
  // Wall.
  for (int j = 0; j < wallH; ++j)
    for (int i = 2; i < w - 2; ++i) {
      Rgb col = j < 2 ? pal::kSand[1] : pal::kSand[3];
      if (i == 2 || i == w - 3) col = pal::kWood[1];
      c.Set(x + i, wallY + j, col);
    }
  // Window.
  const int wx = x + (door ? 5 : w / 2 - 3);
  c.FillRect(wx, wallY + 3, 6, 5, pal::kWood[0]);
  c.FillRect(wx + 1, wallY + 4, 4, 3, pal::kBlue[3]);
  c.Set(wx + 3, wallY + 4, pal::kWood[0]), c.Set(wx + 3, wallY + 5, pal::kWood[0]);
  c.Set(wx + 3, wallY + 6, pal::kWood[0]);
  if (door) {
    const int dx = x + w - 13;
    c.FillRect(dx, wallY + 2, 7, wallH - 2, pal::kWood[0]);
    c.FillRect(dx + 1, wallY + 3, 5, wallH - 3, pal::kWood[2]);
    c.Set(dx + 4, wallY + 2 + wallH / 2, pal::kGold[2]);
  }
  // Roof: a trapezoid, darker rows of tiles, light ridge.
  for (int j = 0; j < roofH; ++j) {
    const int inset = (roofH - 1 - j) / 3;
    for (int i = inset; i < w - inset; ++i) {
      double level = 0.35 + 0.45 * j / roofH;
      if ((j % 4) == 3) level -= 0.25;
      if (((i + (j / 4) * 3) % 6) == 0 && (j % 4) != 3) level -= 0.12;
      Rgb col = RampDither(roof, 4, level, x + i, y + j);
      if (j == 0) col = roof[3];
      c.Set(x + i, y + j, col);
    }
  }
  // Eave shadow.
  for (int i = 2; i < w - 2; ++i) c.Set(x + i, wallY, Scale(pal::kSand[1], 0.7));
}

void Crenels(Canvas& c, int x, int y, int w, const Rgb* ramp) {
  for (int i = 0; i < w; ++i) {
    const bool tooth = (i / 3) % 2 == 0;
    c.Set(x + i, y + 2, ramp[2]);
    c.Set(x + i, y + 3, ramp[1]);
    if (tooth) c.Set(x + i, y, ramp[3]), c.Set(x + i, y + 1, ramp[2]);
  }
}

void StoneWall(Canvas& c, int x, int y, int w, int h, const Rgb* ramp, double light) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const int row = j / 4;
      const bool mortar = (j % 4 == 3) || ((i + row * 3) % 8 == 0);
      double level = light + 0.1 * (Hash01(i / 8, row, 7) - 0.5);
      if (mortar) level -= 0.3;
      c.Set(x + i, y + j, RampDither(ramp, 4, level, x + i, y + j));
    }
}

void ConeRoof(Canvas& c, int cx, int top, int halfW, int h, const Rgb* ramp) {
  for (int j = 0; j < h; ++j) {
    const double hw = 1.0 + (halfW - 1.0) * j / (h - 1);
    for (int i = static_cast<int>(-hw); i <= static_cast<int>(hw); ++i) {
      const double t = (i + hw) / (2 * hw + 0.001);
      double level = 0.85 - 0.7 * t;
      if (j % 5 == 4) level -= 0.15;
      c.Set(cx + i, top + j, RampDither(ramp, 4, level, cx + i, top + j));
    }
  }
  c.Set(cx, top - 1, pal::kGold[2]);
}

void Flag(Canvas& c, int x, int y, Rgb colour) {
  for (int j = 0; j < 9; ++j) c.Set(x, y + j, pal::kStone[0]);
  for (int j = 0; j < 4; ++j)
    for (int i = 1; i < 7 - j / 2; ++i) c.Set(x + i, y + j, i < 3 ? Scale(colour, 1.2) : colour);
}

}  // namespace

void DrawVillagePicture(Canvas& c, int x, int y) {
  // A low wooden fence ring and a path through the gate at the bottom middle.
  for (int j = 36; j < 64; ++j)
    for (int i = 41; i < 55; ++i)
      c.Set(x + i, y + j, RampDither(pal::kSand, 4, 0.45 + 0.2 * Hash01(i / 2, j / 2, 3), i, j));
  House(c, x + 4, y + 3, 38, 15, 12, pal::kRed, true);
  House(c, x + 54, y + 1, 38, 15, 12, pal::kBlue, false);
  // Well in the middle.
  FillEllipse(c, x + 48, y + 34, 6, 4, pal::kStone[1]);
  FillEllipse(c, x + 48, y + 33, 4, 2.5, pal::kWater[0]);
  House(c, x + 1, y + 33, 36, 14, 13, pal::kEarth, true);
  House(c, x + 59, y + 33, 36, 14, 13, pal::kRed, false);
  // Fence posts either side of the gate.
  for (int i = 37; i < 41; ++i)
    c.Set(x + i, y + 58, pal::kWood[2]), c.Set(x + i, y + 61, pal::kWood[1]);
  for (int i = 55; i < 59; ++i)
    c.Set(x + i, y + 58, pal::kWood[2]), c.Set(x + i, y + 61, pal::kWood[1]);
  for (int j = 55; j < 64; ++j) {
    c.Set(x + 40, y + j, pal::kWood[0]), c.Set(x + 55, y + j, pal::kWood[0]);
    c.Set(x + 41, y + j, pal::kWood[2]), c.Set(x + 56, y + j, pal::kWood[2]);
  }
  // A small tree.
  FillEllipse(c, x + 48, y + 6, 7, 6, pal::kLeaf[1]);
  FillEllipse(c, x + 46, y + 4, 4, 3, pal::kLeaf[3]);
  c.FillRect(x + 47, y + 11, 2, 5, pal::kWood[0]);
}

void DrawKingCastlePicture(Canvas& c, int x, int y) {
  const Rgb* s = pal::kStone;
  // Keep with its tall centre tower.
  StoneWall(c, x + 26, y + 22, 44, 40, s, 0.55);
  Crenels(c, x + 26, y + 18, 44, s);
  StoneWall(c, x + 39, y + 10, 18, 14, s, 0.7);
  ConeRoof(c, x + 48, y + 0, 11, 12, pal::kBlue);
  Flag(c, x + 48, y - 1 + 1, pal::kRed[2]);
  for (int k = 0; k < 3; ++k) c.FillRect(x + 32 + k * 13, y + 30, 3, 6, pal::kBlack);
  // Curtain wall.
  StoneWall(c, x + 14, y + 58, 68, 34, s, 0.62);
  Crenels(c, x + 14, y + 54, 68, s);
  // Corner towers.
  for (int side = 0; side < 2; ++side) {
    const int tx = side == 0 ? x + 2 : x + 72;
    StoneWall(c, tx, y + 36, 22, 56, s, side == 0 ? 0.75 : 0.45);
    Crenels(c, tx, y + 32, 22, s);
    ConeRoof(c, tx + 11, y + 14, 12, 18, pal::kBlue);
    c.FillRect(tx + 9, y + 46, 3, 7, pal::kBlack);
    c.FillRect(tx + 9, y + 64, 3, 7, pal::kBlack);
  }
  Flag(c, x + 13, y + 6, pal::kGold[2]);
  Flag(c, x + 83, y + 6, pal::kGold[2]);
  // Gate: an arch with a raised portcullis.
  for (int j = 0; j < 26; ++j)
    for (int i = -9; i <= 9; ++i) {
      const double ry = j < 9 ? 9 - std::sqrt(std::max(0.0, 81.0 - i * i)) : 0;
      if (j < ry) continue;
      Rgb col = pal::kBlack;
      if (j < 6 + ry && (i % 3 == 0 || j % 3 == 0)) col = pal::kStone[0];
      c.Set(x + 48 + i, y + 66 + j, col);
    }
  for (int i = -11; i <= 11; ++i) c.Set(x + 48 + i, y + 92, pal::kStone[0]);
  // Banners beside the gate.
  for (int side = -1; side <= 1; side += 2)
    for (int j = 0; j < 12; ++j)
      for (int i = 0; i < 5; ++i)
        if (j < 10 || i == 2)
          c.Set(x + 48 + side * 16 + i - 2, y + 62 + j,
                j < 10 ? pal::kRed[1 + (i == 1)] : pal::kRed[0]);
}

void DrawElmoCastlePicture(Canvas& c, int x, int y) {
  const Rgb* s = pal::kPurple;
  // Dark body, spiky towers, red windows.
  StoneWall(c, x + 12, y + 46, 72, 46, s, 0.35);
  Crenels(c, x + 12, y + 42, 72, s);
  StoneWall(c, x + 30, y + 20, 36, 28, s, 0.4);
  for (int side = 0; side < 3; ++side) {
    const int tx = x + (side == 0 ? 2 : side == 1 ? 38 : 74);
    const int top = side == 1 ? 4 : 22;
    const int w = side == 1 ? 20 : 20;
    StoneWall(c, tx, top + 14, w, 92 - top - 14 - (side == 1 ? 50 : 0), s, side == 0 ? 0.5 : 0.3);
    // Spire.
    for (int j = 0; j < 16; ++j) {
      const int hw = j * (w / 2) / 16;
      for (int i = -hw; i <= hw; ++i)
        c.Set(tx + w / 2 + i, top + j, i < 0 ? pal::kPurple[1] : pal::kPurple[0]);
    }
    c.Set(tx + w / 2, top - 1, pal::kRed[2]);
    c.FillRect(tx + w / 2 - 1, top + 20, 3, 5, pal::kRed[2]);
    c.Set(tx + w / 2, top + 21, pal::kGold[3]);
  }
  for (int k = 0; k < 4; ++k) c.FillRect(x + 20 + k * 16, y + 56, 3, 5, pal::kRed[2]);
  // The gate: a fanged maw.
  for (int j = 0; j < 24; ++j)
    for (int i = -10; i <= 10; ++i) {
      const double ry = j < 10 ? 10 - std::sqrt(std::max(0.0, 100.0 - i * i)) : 0;
      if (j < ry) continue;
      c.Set(x + 48 + i, y + 68 + j, pal::kBlack);
    }
  for (int k = -8; k <= 8; k += 4)
    for (int j = 0; j < 4; ++j)
      c.Set(x + 48 + k, y + 66 + 10 - (k * k) / 20 + j - 2, j < 3 ? pal::kSnow : pal::kStone[1]);
  c.FillRect(x + 44, y + 78, 2, 2, pal::kRed[3]);
  c.FillRect(x + 51, y + 78, 2, 2, pal::kRed[3]);
}
