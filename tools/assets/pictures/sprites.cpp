// The battle sprite sheet `pbattle`: the hero's three pictures, the pointer,
// the Dragonfly and the Devil Stone in two frames each and Elmo in three.
#include <cmath>

#include "common/paint.h"
#include "pictures/art.h"

namespace {

void Cursor(Canvas& c, int x, int y) {
  // A white pointing arrow, centred on the cell's middle rows.
  Canvas t(32, 32, kMagenta);
  for (int j = 0; j < 17; ++j) {
    const int len = j <= 8 ? j : 16 - j;
    for (int i = 0; i <= len; ++i) t.Set(10 + i, 8 + j, j < 8 ? pal::kWhite : pal::kStone[3]);
  }
  t.FillRect(4, 14, 7, 5, pal::kWhite);
  t.FillRect(4, 17, 7, 2, pal::kStone[3]);
  OutlineShape(t, 0, 0, 32, 32, kMagenta, pal::kInk);
  const Rgb key = kMagenta;
  c.Blit(t, 0, 0, 32, 32, x, y, &key);
}

void Dragonfly(Canvas& c, int x, int y, int frame) {
  Canvas t(64, 64, kMagenta);
  // Wings: two pairs, up in frame 0, down in frame 1.
  const double lift = frame == 0 ? -1 : 1;
  for (int w = 0; w < 2; ++w) {
    const double bx = 24 + w * 8, by = 28;
    const double tipY = by + lift * (14 + w * 2);
    FillPolygon(
        t,
        {{bx, by}, {bx - 14 + w * 6, tipY - 2}, {bx - 4 + w * 10, tipY + lift * 3}, {bx + 6, by}},
        Mix(pal::kWater[3], pal::kWhite, 0.3));
  }
  // Veins.
  for (int w = 0; w < 2; ++w) {
    const int bx = 24 + w * 8, tipY = static_cast<int>(28 + lift * (12 + w * 2));
    Line(t, bx, 28, bx - 8 + w * 6, tipY, pal::kWater[1]);
  }
  // Segmented tail to the lower left, thorax, head with big red eyes facing right.
  for (int s = 0; s < 7; ++s) {
    const double sx = 26 - s * 3.2, sy = 34 + s * 2.6;
    FillEllipse(t, sx, sy, 3.2, 2.6, s % 2 ? pal::kGold[1] : pal::kGold[2]);
  }
  // A hot orange body: it has to stand out on grass, moss and purple stone.
  FillEllipse(t, 32, 31, 7, 5.5, {224, 112, 32});
  FillEllipse(t, 30, 29, 4, 2.5, pal::kGold[3]);
  FillEllipse(t, 42, 28, 6, 5.5, pal::kRed[2]);
  FillEllipse(t, 41, 26, 3, 2, pal::kRed[3]);
  t.FillRect(43, 27, 2, 2, pal::kWhite);
  // Mandibles and legs.
  Line(t, 47, 31, 50, 34, pal::kInk);
  Line(t, 46, 32, 48, 36, pal::kInk);
  for (int l = 0; l < 3; ++l) Line(t, 30 + l * 3, 35, 28 + l * 4, 41 + (frame ? 1 : 0), pal::kInk);
  // Front wings over the body.
  for (int w = 0; w < 2; ++w) {
    const double bx = 32 + w * 4, by = 30;
    const double tipY = by + lift * (10 + w * 3);
    FillPolygon(
        t, {{bx, by}, {bx + 8 + w * 6, tipY}, {bx + 14 + w * 6, tipY + lift * 4}, {bx + 3, by + 1}},
        Mix(pal::kWater[3], pal::kWhite, 0.5));
  }
  OutlineShape(t, 0, 0, 64, 64, kMagenta, pal::kInk);
  GuardMagenta(t, 0, 0, 64, 64);
  const Rgb key = kMagenta;
  c.Blit(t, 0, 0, 64, 64, x, y, &key);
}

void DevilStone(Canvas& c, int x, int y, int frame) {
  Canvas t(64, 64, kMagenta);
  const int up = frame == 1 ? -3 : 0;
  // Stubby stone arms.
  FillEllipse(t, 10, 42 + up, 6, 5, pal::kRock[1]);
  FillEllipse(t, 54, 40 + up * 2, 6, 5, pal::kRock[1]);
  // The boulder, lit from the upper left, with cracks.
  for (int j = 0; j < 64; ++j)
    for (int i = 0; i < 64; ++i) {
      const double nx = (i - 32) / 22.0, ny = (j - 36 - up) / 22.0;
      const double r = nx * nx + ny * ny * 1.1;
      if (r > 1.0) continue;
      const double bump = (ValueNoise(i, j - up, 8, 64, 91) - 0.5) * 0.4;
      const double light = 0.55 - 0.45 * nx - 0.4 * ny + bump - (r > 0.85 ? 0.25 : 0);
      t.Set(x * 0 + i, j, RampDither(pal::kRock, 4, light, i, j));
    }
  Line(t, 20, 22 + up, 26, 30 + up, pal::kRock[0]);
  Line(t, 26, 30 + up, 24, 36 + up, pal::kRock[0]);
  Line(t, 44, 48 + up, 50, 44 + up, pal::kRock[0]);
  // Moss on top.
  for (int i = 22; i < 40; ++i) t.Set(i, 15 + up + (i % 3 == 0), pal::kLeaf[2]);
  // Angry eyes and a jagged mouth; frame 1 roars.
  const Rgb eye = frame == 1 ? pal::kRed[3] : pal::kGold[3];
  FillPolygon(t, {{22, 30.0 + up}, {30, 33.0 + up}, {30, 36.0 + up}, {23, 35.0 + up}}, eye);
  FillPolygon(t, {{42, 30.0 + up}, {34, 33.0 + up}, {34, 36.0 + up}, {41, 35.0 + up}}, eye);
  Line(t, 21, 29 + up, 30, 32 + up, pal::kInk);
  Line(t, 43, 29 + up, 34, 32 + up, pal::kInk);
  const int mh = frame == 1 ? 8 : 4;
  t.FillRect(24, 42 + up, 16, mh, pal::kBlack);
  for (int i = 24; i < 40; i += 4) {
    t.Set(i + 1, 42 + up, pal::kWhite), t.Set(i + 2, 42 + up, pal::kWhite),
        t.Set(i + 1, 43 + up, pal::kWhite);
    t.Set(i + 3, 41 + up + mh, pal::kWhite);
  }
  OutlineShape(t, 0, 0, 64, 64, kMagenta, pal::kInk);
  GuardMagenta(t, 0, 0, 64, 64);
  const Rgb key = kMagenta;
  c.Blit(t, 0, 0, 64, 64, x, y, &key);
}

}  // namespace

Canvas DrawBattleSprites() {
  Canvas sheet(192, 288, kMagenta);
  for (int pose = 0; pose < 3; ++pose) DrawHeroBattle(sheet, pose * 64, 0, pose);
  Cursor(sheet, 0, 64);
  Dragonfly(sheet, 64, 64, 0);
  Dragonfly(sheet, 64, 128, 1);
  DevilStone(sheet, 128, 64, 0);
  DevilStone(sheet, 128, 128, 1);
  DrawElmoBattle(sheet, 128, 192, 0);
  DrawElmoBattle(sheet, 64, 192, 1);
  DrawElmoBattle(sheet, 0, 192, 2);
  return sheet;
}
