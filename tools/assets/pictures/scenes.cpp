// The full-screen pictures: three battle backgrounds, the title, the ending,
// the game over, and the window icon. The bottom of each battle picture is
// plain ground, because the battle menu (y 358-414) and the message box
// (y 378-462) are drawn over it.
#include <algorithm>
#include <cmath>

#include "common/paint.h"
#include "pictures/art.h"

namespace {

constexpr int kW = 640, kH = 480;

void Sky(Canvas& c, int top, int bottom, Rgb high, Rgb low) {
  for (int y = top; y < bottom; ++y) {
    const double t = static_cast<double>(y - top) / std::max(1, bottom - top - 1);
    // Bands of 8 rows, dithered into each other: the look of a 16-colour sky.
    const double band = std::floor(t * 8) / 8;
    const double frac = t * 8 - std::floor(t * 8);
    for (int x = 0; x < kW; ++x) {
      const double level = band + (DitherOn(x, y, frac) ? 1.0 / 8 : 0);
      c.Set(x, y, Mix(high, low, level));
    }
  }
}

void Cloud(Canvas& c, int cx, int cy, int w, Rgb light, Rgb shade) {
  Rng rng(static_cast<std::uint32_t>(cx * 31 + cy));
  for (int k = 0; k < w / 10; ++k) {
    const double x = cx - w / 2.0 + rng.Unit() * w, r = 10 + rng.Unit() * 14;
    FillEllipse(c, x, cy + 4, r * 1.2, r * 0.55, shade);
  }
  for (int k = 0; k < w / 10; ++k) {
    const double x = cx - w / 2.0 + rng.Unit() * w, r = 8 + rng.Unit() * 12;
    FillEllipse(c, x, cy - r * 0.2, r * 1.1, r * 0.55, light);
  }
}

// A mountain ridge: heights from layered noise, filled down to `base`. A face
// is lit where the skyline rises towards the light on the left; the line
// between light and shade runs down and to the right from each summit, as the
// shadow of a real ridge would, instead of straight down.
void Ridge(Canvas& c, int base, double height, double rough, std::uint32_t seed, Rgb fill, Rgb lit,
           Rgb snow) {
  auto skyline = [&](double x) {
    return ValueNoise(x, 0, 80, 640, seed) * 0.65 + ValueNoise(x, 0, 20, 640, seed + 1) * rough;
  };
  for (int x = 0; x < kW; ++x) {
    const double n = skyline(x);
    const int top = base - static_cast<int>(height * n);
    for (int y = top; y < base; ++y) {
      const double xs = x - (y - top) * 0.7;
      const bool facingLight = skyline(xs - 3) < skyline(xs);
      Rgb col = facingLight ? lit : fill;
      if (snow != fill && y < top + 6 && height * n > height * 0.55) col = snow;
      c.Set(x, y, col);
    }
  }
}

void GrassField(Canvas& c, int top, std::uint32_t seed) {
  for (int y = top; y < kH; ++y) {
    const double depth = static_cast<double>(y - top) / (kH - top);  // 0 far, 1 near
    for (int x = 0; x < kW; ++x) {
      const double n = ValueNoise(x, y * 3, 32, 1024, seed);
      double level = 0.35 + 0.35 * depth + 0.25 * (n - 0.5);
      // Perspective stripes of mown grass.
      if (static_cast<int>(std::sqrt(depth) * 12) % 2) level += 0.08;
      Rgb col = RampDither(pal::kGrass, 4, level, x, y);
      if (Hash01(x, y, seed + 5) < 0.006 + 0.01 * depth) col = pal::kGrass[3];
      c.Set(x, y, col);
    }
  }
}

void Tree(Canvas& c, int x, int base, int size, const Rgb* leaf, Rgb trunk) {
  c.FillRect(x - size / 8, base - size, size / 4, size, trunk);
  for (int k = 0; k < 4; ++k) {
    const double r = size * (0.55 - k * 0.1);
    FillEllipse(c, x, base - size - k * size * 0.25, r, r * 0.75, leaf[k]);
  }
}

Rgb Dim(Rgb c, double f) {
  return Scale(c, f);
}

}  // namespace

Canvas DrawBattleField() {
  Canvas c(kW, kH);
  Sky(c, 0, 190, {56, 96, 200}, {168, 208, 240});
  Cloud(c, 120, 50, 160, pal::kWhite, {184, 200, 232});
  Cloud(c, 470, 80, 200, pal::kWhite, {184, 200, 232});
  Cloud(c, 320, 30, 90, pal::kWhite, {184, 200, 232});
  Ridge(c, 190, 110, 0.35, 7, {104, 112, 168}, {136, 144, 192}, {224, 232, 248});
  Ridge(c, 190, 50, 0.3, 9, {64, 120, 88}, {88, 144, 96}, {64, 120, 88});
  GrassField(c, 190, 11);
  // A few flowers and stones near the front.
  Rng rng(5);
  for (int k = 0; k < 60; ++k) {
    const int x = rng.Below(kW), y = 280 + rng.Below(200);
    const Rgb col = k % 3 == 0 ? pal::kWhite : (k % 3 == 1 ? pal::kGold[2] : pal::kRed[3]);
    c.Set(x, y, col), c.Set(x + 1, y, col), c.Set(x, y + 1, pal::kGrass[0]);
  }
  // Soft shadows where the fighters stand.
  for (int x : {132, 582})
    for (int y = 256; y < 270; ++y)
      for (int i = -30; i <= 30; ++i) {
        const double d = (i / 30.0) * (i / 30.0) + ((y - 263) / 6.0) * ((y - 263) / 6.0);
        if (d <= 1 && DitherOn(x + i, y, 0.6)) c.Set(x + i, y, Dim(c.Get(x + i, y), 0.7));
      }
  return c;
}

namespace {

// A soft round shadow on the ground where a fighter's feet come down.
void FootShadow(Canvas& c, int cx, int cy, int halfWidth, double strength) {
  for (int y = cy - 7; y <= cy + 7; ++y)
    for (int x = cx - halfWidth; x <= cx + halfWidth; ++x) {
      const double dx = (x - cx) / static_cast<double>(halfWidth), dy = (y - cy) / 6.0;
      if (dx * dx + dy * dy <= 1 && DitherOn(x, y, strength)) c.Set(x, y, Dim(c.Get(x, y), 0.7));
    }
}

}  // namespace

// A clearing in the forest: the fighters stand on open, sunlit ground, with
// the trunks of the wood behind them set back and kept clear of where the
// monster (x 100-164) and the hero (x 550-614) stand.
Canvas DrawBattleForest() {
  Canvas c(kW, kH);
  constexpr int kHorizon = 222;
  // Deep green gloom behind the trunks.
  for (int y = 0; y < kHorizon; ++y)
    for (int x = 0; x < kW; ++x) {
      const double n = ValueNoise(x, y, 40, 640, 21);
      c.Set(x, y, RampDither(pal::kLeaf, 3, 0.15 + 0.3 * n + 0.25 * y / kHorizon, x, y));
    }
  // Far trunks, thin and dark, standing on the far edge of the clearing.
  Rng rng(17);
  auto clearOfFighters = [](int x, int w) {
    return (x + w < 86 || x > 178) && (x + w < 536 || x > 628);
  };
  for (int k = 0; k < 40; ++k) {
    const int x = rng.Below(kW), w = 5 + rng.Below(7);
    if (!clearOfFighters(x, w)) continue;
    const int foot = kHorizon + rng.Below(6);
    for (int y = 0; y < foot; ++y)
      for (int i = 0; i < w; ++i) {
        const Rgb bark =
            i < w / 3 ? Rgb{52, 72, 52} : (i == w - 1 ? Rgb{20, 34, 26} : Rgb{34, 52, 40});
        c.Set(x + i, y, bark);
      }
    // Roots spreading at the foot.
    FillEllipse(c, x + w / 2.0, foot - 1, w * 0.9, 2.5, {28, 44, 34});
  }
  // Canopy: overlapping dark crowns along the top.
  for (int k = 0; k < 40; ++k) {
    const int x = rng.Below(kW + 40) - 20, y = 10 + rng.Below(80);
    const double r = 30 + rng.Unit() * 30;
    FillEllipse(c, x, y, r, r * 0.6, pal::kLeaf[0]);
    FillEllipse(c, x - r * 0.2, y - r * 0.15, r * 0.6, r * 0.35, pal::kLeaf[1]);
  }
  // The clearing's floor: moss and grass, lit in the middle.
  for (int y = kHorizon; y < kH; ++y) {
    const double depth = (y - kHorizon) / static_cast<double>(kH - kHorizon);
    for (int x = 0; x < kW; ++x) {
      const double n = ValueNoise(x, y * 2, 16, 640, 23);
      const double sun = 1 - std::min(1.0, std::abs(x - 340.0) / 420);
      Rgb col = RampDither(pal::kLeaf, 4, 0.45 + 0.3 * sun + 0.15 * depth + 0.25 * (n - 0.5), x, y);
      c.Set(x, y, col);
    }
  }
  // Near trunks at the very edges frame the scene.
  for (int side = 0; side < 2; ++side) {
    const int x0 = side == 0 ? 0 : 628, w = side == 0 ? 40 : 12;
    for (int y = 0; y < kH; ++y)
      for (int x = x0; x < x0 + w; ++x) {
        const double t = (x - x0) / static_cast<double>(w);
        Rgb col = RampDither(pal::kWood, 4, side == 0 ? 0.6 - 0.5 * t : 0.3, x, y);
        if ((x * 7 + y / 9) % 23 == 0) col = pal::kWood[0];
        c.Set(x, y, col);
      }
  }
  // Shafts of light falling into the clearing between the fighters.
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < kW; ++x) {
      const double u = x - 260 - y * 0.5;
      if (u > 0 && u < 50 && DitherOn(x, y, 0.25))
        c.Set(x, y, Mix(c.Get(x, y), pal::kGold[3], 0.35));
    }
  FootShadow(c, 132, 263, 26, 0.6);
  FootShadow(c, 582, 263, 26, 0.6);
  return c;
}

// Elmo's hall: a wall of purple stone with braziers on its pillars, and a
// floor of flags that recedes to the wall's foot. The wall stands well
// behind the fighters, and no pillar rises behind either of them.
Canvas DrawBattleHall() {
  Canvas c(kW, kH);
  constexpr int kWallFoot = 186;
  for (int y = 0; y < kWallFoot; ++y)
    for (int x = 0; x < kW; ++x) {
      const int row = y / 20;
      const bool joint = y % 20 == 19 || (x + row * 20) % 40 == 0;
      Rgb col =
          joint ? pal::kPurple[0] : RampDither(pal::kPurple, 3, 0.25 + 0.4 * y / kWallFoot, x, y);
      c.Set(x, y, col);
    }
  // Pillars with braziers, clear of the monster (x 100-164) and the hero
  // (x 550-614).
  for (const int px : {20, 228, 404, 622}) {
    for (int y = 0; y < kWallFoot; ++y)
      for (int x = px; x < px + 50; ++x) {
        const double t = (x - px) / 50.0;
        c.Set(x, y, RampDither(pal::kStone, 4, 0.75 - 0.65 * t, x, y));
      }
    c.FillRect(px - 6, kWallFoot - 14, 62, 14, pal::kStone[0]);
    c.FillRect(px - 6, 0, 62, 18, pal::kStone[0]);
    // Flame with a glow.
    for (int y = 40; y < 130; ++y)
      for (int x = px - 40; x < px + 90; ++x) {
        const double d = std::hypot(x - px - 25.0, y - 85.0);
        if (d < 60 && DitherOn(x, y, 0.5 * (1 - d / 60)))
          c.Set(x, y, Mix(c.Get(x, y), pal::kRed[2], 0.5));
      }
    FillEllipse(c, px + 25, 80, 12, 18, pal::kRed[2]);
    FillEllipse(c, px + 25, 84, 8, 12, {240, 128, 32});
    FillEllipse(c, px + 25, 88, 4, 7, pal::kGold[3]);
    c.FillRect(px + 11, 98, 28, 8, pal::kGold[1]);
    c.FillRect(px + 11, 98, 28, 2, pal::kGold[2]);
  }
  // Floor: flags in perspective. A row of the screen at depth t shows the
  // floor at distance 1 / (t + near), so both the flags' widths and their
  // rows shrink by that distance towards the wall.
  constexpr double kNear = 0.12;
  for (int y = kWallFoot; y < kH; ++y) {
    const double depth = (y - kWallFoot + 0.5) / (kH - kWallFoot);
    const double scale = depth + kNear;  // screen pixels per unit of floor
    const double z = 1.0 / scale;
    for (int x = 0; x < kW; ++x) {
      const double u = (x + 0.5 - 320) / (48.0 * scale);
      const int cu = static_cast<int>(std::floor(u)), cv = static_cast<int>(std::floor(z * 1.6));
      Rgb col = ((cu + cv) & 1) ? Rgb{44, 32, 60} : Rgb{28, 20, 40};
      // A glimmer of the braziers on the flags nearest the wall.
      if (depth < 0.1 && DitherOn(x, y, 0.3 * (1 - depth / 0.1))) col = Mix(col, pal::kRed[1], 0.4);
      // The red runner down the middle, two flags wide, with gold borders.
      const double carpet = std::abs(u) / 1.0;
      if (carpet < 1)
        col =
            carpet > 0.9 ? pal::kGold[1] : (DitherOn(x, y, 0.2) ? pal::kRed[0] : Rgb{120, 24, 40});
      c.Set(x, y, col);
    }
  }
  FootShadow(c, 132, 263, 26, 0.7);
  FootShadow(c, 582, 263, 26, 0.7);
  return c;
}

namespace {
void Landscape(Canvas& c, Rgb skyHigh, Rgb skyLow, int horizon) {
  Sky(c, 0, horizon, skyHigh, skyLow);
  Ridge(c, horizon, 150, 0.35, 31, {88, 88, 152}, {120, 120, 184}, {232, 232, 248});
  Ridge(c, horizon, 70, 0.3, 33, {48, 104, 80}, {72, 128, 88}, {48, 104, 80});
  GrassField(c, horizon, 35);
}
void PressLine(Canvas& c, int y, const char* text, Rgb colour) {
  const int w = TextWidth(text, 2);
  DrawText(c, (kW - w) / 2 + 2, y + 2, text, pal::kInk, 2);
  DrawText(c, (kW - w) / 2, y, text, colour, 2);
}
}  // namespace

Canvas DrawStartPicture() {
  Canvas c(kW, kH);
  Landscape(c, {24, 32, 104}, {232, 152, 120}, 300);
  // Stars in the high sky.
  Rng rng(3);
  for (int k = 0; k < 90; ++k) {
    const int x = rng.Below(kW), y = rng.Below(120);
    c.Set(x, y, k % 7 == 0 ? pal::kGold[3] : pal::kWhite);
  }
  // The castle on its hill, the village below, and Pim looking on.
  FillEllipse(c, 470, 330, 170, 60, pal::kGrass[1]);
  FillEllipse(c, 470, 326, 150, 48, pal::kGrass[2]);
  Canvas castle(96, 96, kMagenta);
  DrawKingCastlePicture(castle, 0, 0);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x) {
      const Rgb p = castle.Get(x, y);
      if (p != kMagenta) c.FillRect(400 + x * 2 - 30, 130 + y * 2, 2, 2, p);
    }
  for (int k = 0; k < 7; ++k)
    Tree(c, 40 + k * 40 + (k % 2) * 12, 350 + (k % 3) * 6, 30 + (k % 3) * 6, pal::kLeaf,
         pal::kWood[0]);
  // Title.
  const char* title = "PIM QUEST";
  const int scale = 9;
  const int w = TextWidth(title, scale);
  DrawTitleText(c, (kW - w) / 2, 60, title, pal::kGold, 4, pal::kInk, scale);
  // Sword under the title.
  const int sy = 140;
  for (int x = 150; x < 490; ++x) {
    c.Set(x, sy, pal::kStone[3]);
    c.Set(x, sy + 1, pal::kWhite);
    c.Set(x, sy + 2, pal::kStone[2]);
    c.Set(x, sy + 3, pal::kInk);
  }
  c.FillRect(130, sy - 6, 6, 16, pal::kGold[2]);
  c.FillRect(104, sy - 1, 26, 6, pal::kWood[1]);
  FillEllipse(c, 100, sy + 2, 5, 5, pal::kGold[2]);
  FillPolygon(c, {{490, sy - 0.5}, {504, sy + 2.0}, {490, sy + 4.5}}, pal::kStone[3]);
  // A figure of Pim at 4x, from his map picture.
  Canvas pim(32, 32, kMagenta);
  DrawFigure(pim, 0, 0, 0, kDown, 0);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const Rgb p = pim.Get(x, y);
      if (p != kMagenta) c.FillRect(120 + x * 4, 250 + y * 4, 4, 4, p);
    }
  // The invitation, in a dark band low on the picture.
  for (int y = 418; y < 452; ++y)
    for (int x = 0; x < kW; ++x)
      if (DitherOn(x, y, 0.75)) c.Set(x, y, Scale(c.Get(x, y), 0.35));
  PressLine(c, 428, "PRESS A TO START", pal::kWhite);
  return c;
}

Canvas DrawEndPicture() {
  Canvas c(kW, kH);
  Landscape(c, {248, 168, 88}, {255, 232, 176}, 280);
  // The rising sun behind the castle.
  for (int y = 100; y < 280; ++y)
    for (int x = 200; x < 440; ++x) {
      const double d = std::hypot(x - 320.0, y - 250.0);
      if (d < 70)
        c.Set(x, y, d < 60 ? pal::kGold[3] : (DitherOn(x, y, 0.5) ? pal::kGold[3] : c.Get(x, y)));
    }
  Canvas castle(96, 96, kMagenta);
  DrawKingCastlePicture(castle, 0, 0);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x) {
      const Rgb p = castle.Get(x, y);
      if (p != kMagenta) c.FillRect(272 + x, 190 + y, 1, 1, p);
    }
  // Pim and Nadia hand in hand, at 4x.
  for (int who = 0; who < 2; ++who) {
    Canvas f(32, 32, kMagenta);
    DrawFigure(f, 0, 0, who == 0 ? 0 : 9, kDown, 0);
    const int ox = who == 0 ? 196 : 316;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const Rgb p = f.Get(x, y);
        if (p != kMagenta) c.FillRect(ox + x * 4, 280 + y * 4, 4, 4, p);
      }
  }
  // A heart between them.
  for (int y = -10; y < 12; ++y)
    for (int x = -12; x <= 12; ++x) {
      const double fx = x / 11.0, fy = -y / 11.0;
      const double v = std::pow(fx * fx + fy * fy - 1, 3) - fx * fx * fy * fy * fy;
      if (v <= 0) c.Set(320 + x, 318 + y, y < -4 && x < -2 ? pal::kRed[3] : pal::kRed[2]);
    }
  const char* title = "THE END";
  const int w = TextWidth(title, 7);
  DrawTitleText(c, (kW - w) / 2, 40, title, pal::kGold, 4, pal::kInk, 7);
  PressLine(c, 110, "PRINCESS NADIA IS SAVED!", pal::kWhite);
  PressLine(c, 418, "THANK YOU FOR PLAYING", pal::kWhite);
  // The ending waits for Z, like the game-over picture.
  PressLine(c, 448, "PRESS Z", pal::kStone[3]);
  return c;
}

Canvas DrawOverPicture() {
  Canvas c(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const double d = std::hypot(x - 320.0, (y - 300.0) * 1.3) / 420.0;
      c.Set(x, y,
            RampDither(pal::kRed, 2, 0.9 - d, x, y) == pal::kRed[1] ? Rgb{48, 8, 16}
                                                                    : Rgb{16, 4, 10});
    }
  // A lonely grave mound with Pim's sword.
  FillEllipse(c, 320, 380, 140, 34, {40, 28, 24});
  FillEllipse(c, 320, 372, 110, 22, {64, 44, 32});
  for (int y = 250; y < 372; ++y) c.FillRect(316, y, 8, 1, y % 6 ? pal::kStone[2] : pal::kStone[1]);
  c.FillRect(318, 250, 2, 120, pal::kStone[3]);
  c.FillRect(296, 240, 48, 10, pal::kGold[1]);
  c.FillRect(296, 240, 48, 3, pal::kGold[2]);
  c.FillRect(314, 206, 12, 34, pal::kWood[1]);
  FillEllipse(c, 320, 202, 8, 8, pal::kGold[2]);
  // The hero's red headband tied to the hilt.
  FillPolygon(c, {{326, 214}, {356, 222}, {352, 230}, {326, 220}}, pal::kRed[2]);
  const char* title = "GAME OVER";
  const int w = TextWidth(title, 8);
  DrawTitleText(c, (kW - w) / 2, 80, title, pal::kRed, 4, pal::kBlack, 8);
  PressLine(c, 430, "PRESS Z", pal::kStone[3]);
  return c;
}

Canvas DrawIconPicture() {
  Canvas c(64, 64, kMagenta);
  Canvas f(32, 32, kMagenta);
  DrawFigure(f, 0, 0, 0, kDown, 0);
  // The head and shoulders of Pim, doubled.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const Rgb p = f.Get(x, y);
      if (p != kMagenta) c.FillRect(x * 2, y * 2 + 4, 2, 2, p);
    }
  return c;
}
