// The figures of the `people` sheet: the hero and the eight people in four
// directions with two walking frames, and Elmo's two standing pictures.
#include <cmath>

#include "common/paint.h"
#include "pictures/art.h"

namespace {

enum Hat { kNoHat, kCrown, kHelmet, kHeadband, kCap, kScarf, kPigtails, kSkullcap, kSpiky, kTiara };

struct Look {
  Rgb hair, top, topDark, legs, shoes;
  Hat hat;
  bool robe = false;   // long garment to the feet (no legs)
  bool dress = false;  // skirt
  bool apron = false;
  bool armour = false;
  bool beard = false;
  bool cape = false;
  Rgb trim{};
};

Look LookOf(int id) {
  using namespace pal;
  switch (id) {
    case 0:  // Pim: blue tunic, red cape, red headband, brown hair.
      return {kEarth[1], kBlue[2], kBlue[1], kEarth[1], kWood[0], kHeadband, false,
              false,     false,    false,    false,     true,     kRed[2]};
    case 1:  // Merchant: green tunic with a white apron, a moustache.
      return {kEarth[0], kLeaf[2], kLeaf[1], kEarth[0], kWood[0], kNoHat, false,
              false,     true,     false,    true,      false,    kWhite};
    case 2:  // Girl: pink dress, golden pigtails.
      return {kGold[2], kRed[3], kRed[2], kSkin[1], kRed[1], kPigtails, false, true};
    case 3:  // Boy: spiky hair, orange shirt, blue shorts.
      return {kEarth[1], kGold[1], kEarth[2], kBlue[1], kWood[0], kSpiky};
    case 4:  // Bellboy: red uniform with gold buttons and a little cap.
      return {kEarth[0], kRed[2], kRed[1], kRed[0], kBlack, kCap,    false,
              false,     false,   false,   false,   false,  kGold[2]};
    case 5:  // Woman: long purple dress, headscarf.
      return {kEarth[1], kPurple[3], kPurple[2], kPurple[2], kWood[0], kScarf, false, true};
    case 6:  // Soldier: steel armour and helmet, a spear.
      return {kEarth[0], kStone[2], kStone[1], kStone[1], kStone[0],
              kHelmet,   false,     false,     false,     true};
    case 7:  // Minister: blue robe, white hair, black skullcap, beard.
      return {kStone[3], kBlue[1], kBlue[0], kBlue[0], kBlack, kSkullcap, true,
              false,     false,    false,    true,     false,  kGold[2]};
    case 8:  // King: red robe with ermine trim, golden crown, white beard.
      return {kStone[3], kRed[2], kRed[1], kRed[1], kBlack, kCrown, true,
              false,     false,   false,   true,    true,   kWhite};
    default:  // The princess: pink gown, tiara, long golden hair.
      return {kGold[2], kRed[3], kRed[2], kRed[2], kRed[1], kTiara, true, true};
  }
}

struct Pen {
  Canvas& c;
  void R(int x, int y, int w, int h, Rgb col) { c.FillRect(x, y, w, h, col); }
  void P(int x, int y, Rgb col) { c.Set(x, y, col); }
  void E(double cx, double cy, double rx, double ry, Rgb col) {
    FillEllipse(c, cx, cy, rx, ry, col);
  }
};

// Draws one frame facing Down, Up or Left into a 32 x 32 magenta canvas.
void DrawFrame(Canvas& c, const Look& k, int id, Facing f, int frame) {
  Pen p{c};
  const Rgb skin = pal::kSkin[1], skinD = pal::kSkin[0];
  const bool side = f == kLeft;
  const int step = frame;  // 1: stepping
  // Cape behind the body.
  if (k.cape && f != kUp) {
    if (side)
      p.R(18, 14, 5, 12 + step, k.trim), p.R(22, 16, 1, 10, Scale(k.trim, 0.7));
    else
      p.R(10, 14, 12, 2, k.trim);
  }
  // Legs or the hem of a long garment.
  if (k.robe || k.dress) {
    const int hemY = k.robe ? 28 : 24;
    for (int y = 20; y <= hemY; ++y) {
      const int hw = (side ? 4 : 5) + (y - 20) / 2;
      for (int x = 16 - hw; x < 16 + hw; ++x)
        p.P(x, y, x < 16 - hw + 2 ? k.top : (x >= 16 + hw - 2 ? k.topDark : k.top));
    }
    if (k.robe) {
      // Feet peek out while walking.
      if (step)
        p.R(side ? 10 : 12, 29, 4, 2, k.shoes);
      else
        p.R(side ? 12 : 12, 29, side ? 4 : 8, 1, k.shoes);
      if (k.hat == kCrown)
        for (int x = 9; x < 23; ++x) p.P(x, 28, (x & 1) ? pal::kWhite : pal::kStone[3]);
    } else {
      // Legs under a skirt.
      if (side) {
        p.R(step ? 11 : 14, 25, 3, 3, pal::kSkin[1]), p.R(step ? 18 : 16, 25, 3, 3, pal::kSkin[0]);
        p.R(step ? 10 : 13, 28, 4, 2, k.shoes), p.R(step ? 18 : 16, 28, 4, 2, k.shoes);
      } else {
        p.R(12, 25, 3, step ? 2 : 3, pal::kSkin[1]), p.R(17, 25, 3, 3, pal::kSkin[1]);
        p.R(12, step ? 27 : 28, 3, 2, k.shoes), p.R(17, 28, 3, 2, k.shoes);
      }
    }
  } else {
    const Rgb legs = k.legs, legsD = Scale(k.legs, 0.75);
    if (side) {
      if (step) {
        p.R(10, 22, 4, 5, legs), p.R(18, 22, 4, 5, legsD);
        p.R(8, 27, 5, 3, k.shoes), p.R(19, 27, 4, 3, k.shoes);
      } else {
        p.R(13, 22, 6, 6, legs), p.R(16, 22, 1, 6, legsD);
        p.R(12, 28, 7, 2, k.shoes);
      }
    } else {
      // Stepping, the left foot lifts well clear while the right one takes
      // the weight, so the two frames read as a stride.
      p.R(12, 22, 4, step ? 3 : 6, legs), p.R(17, 22, 4, 6, legsD);
      p.R(step ? 12 : 11, step ? 25 : 28, step ? 4 : 5, 2, k.shoes);
      p.R(17, 28, 5, 2, k.shoes);
      if (step) p.R(12, 27, 4, 1, Scale(k.shoes, 0.6));  // the lifted foot's shadow
    }
  }
  // Torso.
  if (side) {
    p.R(12, 13, 9, 10, k.top);
    p.R(19, 13, 2, 10, k.topDark);
    if (k.armour) p.R(13, 14, 2, 6, pal::kStone[3]);
  } else {
    p.R(10, 13, 12, 10, k.top);
    p.R(19, 13, 3, 10, k.topDark);
    if (k.armour && f == kDown) {
      p.R(12, 14, 8, 6, pal::kStone[3]), p.R(15, 14, 2, 6, pal::kStone[2]);
      p.R(10, 13, 3, 3, pal::kStone[3]), p.R(19, 13, 3, 3, pal::kStone[2]);
    }
  }
  p.R(side ? 12 : 10, 21, side ? 9 : 12, 1, pal::kWood[0]);  // belt
  if (k.hat == kCap && f == kDown)                           // bellboy buttons
    for (int y = 14; y < 21; y += 2) p.P(16, y, k.trim);
  if (k.apron) {
    if (f == kDown) p.R(12, 15, 8, 11, pal::kWhite), p.R(12, 15, 8, 1, pal::kStone[3]);
    if (side) p.R(11, 15, 3, 10, pal::kWhite);
  }
  if (k.robe && k.hat == kCrown && f != kUp) p.R(side ? 12 : 10, 13, side ? 9 : 12, 2, pal::kWhite);
  if (k.robe && k.hat == kSkullcap && f == kDown) p.R(15, 13, 2, 15, k.trim);
  // Arms.
  auto arm = [&](int x, int y, int len, Rgb sleeve) {
    p.R(x, y, 2, len, sleeve);
    p.R(x, y + len, 2, 2, skin);
  };
  if (side) {
    const int ax = step ? 12 : 15;
    arm(ax, 14, 6, k.topDark);
    if (step) p.R(ax - 2, 19, 2, 2, skin);
  } else {
    // The arms swing against the legs.
    arm(8, 14 + (step ? 2 : 0), step ? 5 : 6, k.top);
    arm(22, 14 + (step ? -1 : 0), step ? 5 : 6, k.topDark);
  }
  // Soldier's spear.
  if (k.armour) {
    const int sx = side ? 10 : 23;
    for (int y = 2; y < 29; ++y) p.P(sx, y, pal::kWood[1]);
    p.R(sx - 1, 0, 3, 3, pal::kStone[3]);
    p.P(sx, 0, pal::kWhite);
  }
  // Head.
  p.E(16, 8, 6.5, 6, skin);
  // Hair.
  const Rgb hair = k.hair, hairD = Scale(k.hair, 0.7);
  if (f == kUp) {
    p.E(16, 8, 6.5, 6, hair);
    p.R(12, 11, 8, 2, hairD);
  } else if (f == kDown) {
    p.E(16, 4.5, 6.5, 3.2, hair);
    p.R(10, 5, 2, 4, hair), p.R(20, 5, 2, 4, hairD);
    p.P(13, 6, hair), p.P(14, 6, hair), p.P(18, 6, hair);
  } else {
    p.E(17, 5, 6, 3.6, hair);
    p.R(17, 5, 6, 7, hair), p.R(21, 7, 1, 5, hairD);
  }
  if (f == kDown) {
    // Eyes with a glint, cheeks, a shaded jaw.
    p.R(13, 8, 2, 2, pal::kInk), p.R(17, 8, 2, 2, pal::kInk);
    p.P(13, 8, pal::kWhite), p.P(17, 8, pal::kWhite);
    p.P(12, 10, pal::kSkin[2]), p.P(19, 10, pal::kSkin[2]);
    p.R(11, 12, 10, 1, skinD);
  } else if (side) {
    p.R(11, 8, 2, 2, pal::kInk);
    p.P(11, 8, pal::kWhite);
    p.P(9, 9, skin), p.P(9, 10, skinD);
    p.R(12, 12, 5, 1, skinD);
  }
  if (k.beard && f != kUp) {
    if (f == kDown)
      p.R(12, 11, 8, 3, k.hair), p.R(14, 14, 4, 1, k.hair), p.R(14, 11, 4, 1, skinD);
    else
      p.R(9, 11, 6, 3, k.hair);
  }
  if (id == 1 && f != kUp) {  // merchant's moustache and bald crown
    if (f == kDown)
      p.R(13, 11, 6, 1, pal::kEarth[0]);
    else
      p.R(9, 11, 4, 1, pal::kEarth[0]);
  }
  // Headwear.
  switch (k.hat) {
    case kHeadband:
      if (f == kDown)
        p.R(10, 4, 12, 2, pal::kRed[2]);
      else if (f == kUp)
        p.R(10, 4, 12, 2, pal::kRed[2]), p.R(17, 6, 2, 5, pal::kRed[1]), p.P(19, 9, pal::kRed[1]);
      else
        p.R(10, 4, 12, 2, pal::kRed[2]), p.R(22, 5, 3, 2, pal::kRed[1]),
            p.R(23, 7, 2, 2, pal::kRed[1]);
      break;
    case kCrown:
      p.R(11, 0, 10, 4, pal::kGold[2]);
      p.R(11, 3, 10, 1, pal::kGold[1]);
      for (int x = 12; x < 21; x += 2) p.P(x, 0, kMagenta);
      p.P(side ? 13 : 16, 2, pal::kRed[2]);
      p.P(side ? 13 : 16, 1, pal::kGold[3]);
      break;
    case kHelmet:
      p.E(16, 5, 7, 4.5, pal::kStone[2]);
      p.R(9, 5, 14, 2, pal::kStone[1]);
      p.R(12, 1, 3, 2, pal::kStone[3]);
      if (f == kDown) p.R(15, 5, 2, 4, pal::kStone[1]);
      p.R(15, 0, 2, 2, pal::kRed[2]);
      break;
    case kCap:
      p.E(16, 3.5, 5, 2.5, pal::kRed[2]);
      p.R(12, 4, 8, 1, pal::kGold[2]);
      break;
    case kScarf:
      p.E(16, 5, 7, 4, pal::kLeaf[3]);
      if (f == kUp)
        p.E(16, 8, 6.5, 5.5, pal::kLeaf[3]), p.R(14, 12, 4, 2, pal::kLeaf[2]);
      else if (side)
        p.R(18, 5, 5, 7, pal::kLeaf[3]), p.R(21, 6, 2, 6, pal::kLeaf[2]);
      else
        p.R(9, 5, 2, 6, pal::kLeaf[3]), p.R(21, 5, 2, 6, pal::kLeaf[2]);
      break;
    case kPigtails:
      if (side)
        p.R(21, 6, 3, 6, hair), p.R(22, 12, 2, 2, hairD), p.P(21, 6, pal::kRed[2]);
      else
        p.R(7, 6, 3, 6, hair), p.R(22, 6, 3, 6, hairD), p.P(8, 6, pal::kRed[2]),
            p.P(23, 6, pal::kRed[2]);
      break;
    case kSkullcap:
      p.E(16, 3, 5, 2.5, pal::kBlack);
      p.P(16, 0, k.trim);
      break;
    case kSpiky:
      for (int i = 0; i < 4; ++i) p.R(10 + i * 3, 1 + (i & 1), 2, 3, hair);
      break;
    case kTiara:
      p.R(11, 3, 10, 1, pal::kGold[2]), p.R(15, 1, 2, 2, pal::kGold[3]);
      p.P(15, 2, pal::kBlue[3]);
      if (f != kDown)
        p.R(side ? 16 : 10, 6, side ? 7 : 12, 12, hair);
      else
        p.R(9, 6, 3, 11, hair), p.R(20, 6, 3, 11, hairD);
      break;
    case kNoHat:
      break;
  }
}

}  // namespace

void DrawFigure(Canvas& c, int x, int y, int id, Facing facing, int walkFrame) {
  Canvas tmp(32, 32, kMagenta);
  const Look look = LookOf(id);
  DrawFrame(tmp, look, id, facing == kRight ? kLeft : facing, walkFrame);
  OutlineShape(tmp, 0, 0, 32, 32, kMagenta, pal::kInk);
  GuardMagenta(tmp, 0, 0, 32, 32);
  for (int j = 0; j < 32; ++j)
    for (int i = 0; i < 32; ++i) {
      const Rgb px = tmp.Get(facing == kRight ? 31 - i : i, j);
      if (px != kMagenta) c.Set(x + i, y + j, px);
    }
}

namespace {
void ElmoBody(Canvas& c, int x, int y, double scale, int pose) {
  // Drawn on a 64 x 64 grid, scaled vertically for the taller battle picture.
  auto S = [&](double v) { return y + v * scale; };
  const Rgb robe = pal::kPurple[1], robeD = pal::kPurple[0], robeL = pal::kPurple[2];
  // Cape.
  const double spread = pose == 1 ? 4 : 0;
  FillPolygon(
      c, {{x + 10 - spread, S(60)}, {x + 20, S(18)}, {x + 44, S(18)}, {x + 54 + spread, S(60)}},
      pal::kRed[0]);
  FillPolygon(
      c, {{x + 14 - spread, S(60)}, {x + 22, S(22)}, {x + 42, S(22)}, {x + 50 + spread, S(60)}},
      pal::kRed[1]);
  // Robe.
  FillPolygon(c, {{x + 18, S(62)}, {x + 24, S(22)}, {x + 40, S(22)}, {x + 46, S(62)}}, robe);
  FillPolygon(c, {{x + 34, S(62)}, {x + 36, S(22)}, {x + 40, S(22)}, {x + 46, S(62)}}, robeD);
  FillPolygon(c, {{x + 20, S(62)}, {x + 24, S(24)}, {x + 27, S(24)}, {x + 24, S(62)}}, robeL);
  // Gold collar and belt.
  FillPolygon(c, {{x + 22, S(20)}, {x + 42, S(20)}, {x + 38, S(27)}, {x + 26, S(27)}},
              pal::kGold[2]);
  c.FillRect(x + 23, static_cast<int>(S(38)), 18, 2, pal::kGold[1]);
  c.FillRect(x + 30, static_cast<int>(S(37)), 4, 4, pal::kRed[2]);
  // Arms (claws), raised in pose 1.
  for (int side = -1; side <= 1; side += 2) {
    const double ax = 32 + side * 14, ay = pose == 1 ? 18 : 30;
    FillPolygon(c,
                {{x + 32 + side * 8.0, S(24)},
                 {x + ax + side * 4, S(ay)},
                 {x + ax + side * 1, S(ay + 8)},
                 {x + 32 + side * 6.0, S(32)}},
                robe);
    FillEllipse(c, x + ax + side * 2, S(ay + (pose == 1 ? 0 : 9)), 3, 3 * scale, pal::kStone[2]);
  }
  // Head: pale grey-blue, horns, burning eyes.
  FillEllipse(c, x + 32, S(13), 7, 7 * scale, pal::kStone[2]);
  FillEllipse(c, x + 34, S(14), 4, 5 * scale, pal::kStone[1]);
  for (int side = -1; side <= 1; side += 2)
    FillPolygon(
        c, {{x + 32 + side * 5.0, S(9)}, {x + 32 + side * 13.0, S(0)}, {x + 32 + side * 9.0, S(8)}},
        pal::kSand[3]);
  const Rgb eye = pose == 1 ? pal::kGold[3] : pal::kRed[3];
  c.FillRect(x + 28, static_cast<int>(S(12)), 3, 2, eye);
  c.FillRect(x + 34, static_cast<int>(S(12)), 3, 2, eye);
  c.FillRect(x + 29, static_cast<int>(S(17)), 6, 1, pal::kInk);
  // Hood shadow over the brow.
  FillPolygon(c, {{x + 24, S(11)}, {x + 32, S(5)}, {x + 40, S(11)}, {x + 32, S(8)}}, robeD);
}
}  // namespace

void DrawElmoSmall(Canvas& c, int x, int y, int pose) {
  Canvas tmp(64, 64, kMagenta);
  ElmoBody(tmp, 0, 1, 1.0, pose);
  OutlineShape(tmp, 0, 0, 64, 64, kMagenta, pal::kInk);
  GuardMagenta(tmp, 0, 0, 64, 64);
  const Rgb key = kMagenta;
  c.Blit(tmp, 0, 0, 64, 64, x, y, &key);
}

void DrawElmoBattle(Canvas& c, int x, int y, int frame) {
  Canvas tmp(64, 96, kMagenta);
  ElmoBody(tmp, 0, 2, 1.45, frame == 0 ? 0 : 1);
  if (frame == 2) {
    // A ball of dark fire held out towards the hero, clear of his face.
    FillEllipse(tmp, 55, 40, 8, 8, pal::kPurple[2]);
    FillEllipse(tmp, 55, 40, 5.5, 5.5, pal::kPurple[3]);
    FillEllipse(tmp, 54, 39, 2.5, 2.5, pal::kWhite);
  }
  OutlineShape(tmp, 0, 0, 64, 96, kMagenta, pal::kInk);
  GuardMagenta(tmp, 0, 0, 64, 96);
  const Rgb key = kMagenta;
  c.Blit(tmp, 0, 0, 64, 96, x, y, &key);
}

Canvas DrawPeopleSheet() {
  Canvas sheet(64, 1408, kMagenta);
  for (int id = 0; id <= 8; ++id)
    for (int f = 0; f < 4; ++f)
      for (int frame = 0; frame < 2; ++frame)
        DrawFigure(sheet, frame * 32, (4 * id + f) * 32, id, static_cast<Facing>(f), frame);
  DrawElmoSmall(sheet, 0, 1280, 0);
  DrawElmoSmall(sheet, 0, 1344, 1);
  return sheet;
}
