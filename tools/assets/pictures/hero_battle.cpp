// The hero's three battle pictures, drawn at their own 64 x 64 size: standing
// on guard, the sword raised, and the lunge. He faces left, towards the
// monster, and is lit from the upper left like the rest of the game.
#include <algorithm>
#include <cmath>
#include <vector>

#include "common/paint.h"
#include "pictures/art.h"

namespace {

using Pts = std::vector<std::pair<double, double>>;

struct Joint {
  double x, y;
};

// The pose: where each joint of the figure stands in the 64 x 64 box.
struct Pose {
  Joint head;       // centre of the face
  Joint neck, hip;  // the line of the back
  Joint frontKnee, frontFoot, backKnee, backFoot;
  Joint frontElbow, frontHand, backElbow, backHand;
  Joint swordTip;
  Pts cape;  // outline of the cape, behind everything
};

Pose PoseOf(int pose) {
  switch (pose) {
    case 1:  // sword raised high over the shoulder, weight on the back foot
      return {{33, 14},
              {34, 24},
              {35, 42},
              {27, 50},
              {24, 58},
              {41, 50},
              {44, 58},
              {19, 19},
              {25, 5},
              {40, 32},
              {37, 39},
              {58, 3},
              {{32, 24}, {42, 23}, {52, 40}, {56, 54}, {46, 52}, {38, 46}}};
    case 2: {  // the lunge: body low and forward, the whole blade thrust out
      // Drawn further right than the other poses, so that the blade keeps
      // its full length up to the picture's left edge.
      Pose p{{24, 20},
             {28, 29},
             {36, 45},
             {20, 50},
             {17, 58},
             {43, 52},
             {52, 58},
             {20, 33},
             {13, 33},
             {34, 37},
             {30, 42},
             {0, 33},
             {{27, 29}, {37, 27}, {55, 33}, {62, 42}, {50, 44}, {40, 44}}};
      constexpr double kShift = 8;
      for (Joint* j : {&p.head, &p.neck, &p.hip, &p.frontKnee, &p.frontFoot, &p.backKnee,
                       &p.backFoot, &p.frontElbow, &p.frontHand, &p.backElbow, &p.backHand})
        j->x += kShift;
      for (auto& point : p.cape) point.first = std::min(62.0, point.first + kShift);
      return p;
    }
    default:  // on guard, the sword held low towards the enemy
      return {{30, 15},
              {33, 25},
              {34, 43},
              {29, 50},
              {28, 58},
              {38, 50},
              {39, 58},
              {27, 33},
              {22, 38},
              {39, 33},
              {37, 40},
              {7, 53},
              {{31, 24}, {41, 23}, {48, 40}, {50, 55}, {42, 54}, {37, 46}}};
  }
}

// A limb or a blade: a round-ended stroke of radius r, its lower-right half
// shaded, with a one-pixel ink rim drawn first.
void Stroke(Canvas& c, Joint a, Joint b, double r, Rgb light, Rgb dark, bool rim = true) {
  const double vx = b.x - a.x, vy = b.y - a.y, len2 = std::max(1e-6, vx * vx + vy * vy);
  double nx = -vy, ny = vx;
  const double nl = std::sqrt(nx * nx + ny * ny);
  nx /= std::max(nl, 1e-6), ny /= std::max(nl, 1e-6);
  if (nx + ny < 0) nx = -nx, ny = -ny;  // the normal that points away from the light
  for (int pass = rim ? 0 : 1; pass < 2; ++pass) {
    const double rr = pass == 0 ? r + 1.0 : r;
    const int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - rr - 1));
    const int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + rr + 1));
    const int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - rr - 1));
    const int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + rr + 1));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        const double px = x + 0.5 - a.x, py = y + 0.5 - a.y;
        const double t = std::clamp((px * vx + py * vy) / len2, 0.0, 1.0);
        const double dx = px - t * vx, dy = py - t * vy;
        if (dx * dx + dy * dy > rr * rr) continue;
        if (pass == 0) {
          c.Set(x, y, pal::kInk);
        } else {
          c.Set(x, y, dx * nx + dy * ny > r * 0.25 ? dark : light);
        }
      }
  }
}

// A filled shape with an ink rim: the outline is the shape moved a pixel
// each way, drawn first.
void Shape(Canvas& c, const Pts& pts, Rgb colour) {
  for (const auto& [ox, oy] : {std::pair{-1.0, 0.0}, {1.0, 0.0}, {0.0, -1.0}, {0.0, 1.0}}) {
    Pts moved = pts;
    for (auto& p : moved) p.first += ox, p.second += oy;
    FillPolygon(c, moved, pal::kInk);
  }
  FillPolygon(c, pts, colour);
}

void Leg(Canvas& c, Joint hip, Joint knee, Joint foot, bool front) {
  const Rgb trouser = front ? pal::kEarth[2] : pal::kEarth[1];
  const Rgb trouserD = front ? pal::kEarth[1] : pal::kEarth[0];
  Stroke(c, hip, knee, 3.2, trouser, trouserD);
  Stroke(c, knee, {foot.x, foot.y - 3}, 3.0, trouser, trouserD);
  // The boot: a shaft and a foot pointing left, with a lighter cuff.
  const Rgb boot = front ? pal::kWood[1] : pal::kWood[0], bootD = pal::kWood[0];
  Shape(c,
        {{foot.x - 3.5, foot.y - 7},
         {foot.x + 3.5, foot.y - 7},
         {foot.x + 3.5, foot.y + 3},
         {foot.x - 6.5, foot.y + 3},
         {foot.x - 6.5, foot.y},
         {foot.x - 3.5, foot.y - 1}},
        boot);
  c.FillRect(static_cast<int>(foot.x - 3), static_cast<int>(foot.y - 7), 7, 2, pal::kWood[2]);
  c.FillRect(static_cast<int>(foot.x + 1), static_cast<int>(foot.y - 4), 2, 7, bootD);
}

void Arm(Canvas& c, Joint shoulder, Joint elbow, Joint hand, bool front) {
  const Rgb sleeve = front ? pal::kBlue[2] : pal::kBlue[1];
  const Rgb sleeveD = front ? pal::kBlue[1] : pal::kBlue[0];
  Stroke(c, shoulder, elbow, 2.8, sleeve, sleeveD);
  Stroke(c, elbow, hand, 2.5, front ? pal::kSkin[1] : pal::kSkin[0], pal::kSkin[0]);
  // A leather glove on the sword hand.
  FillEllipse(c, hand.x, hand.y, 3.4, 3.4, pal::kInk);
  FillEllipse(c, hand.x, hand.y, 2.4, 2.4, front ? pal::kWood[2] : pal::kWood[1]);
}

void Sword(Canvas& c, Joint hand, Joint tip) {
  const double vx = tip.x - hand.x, vy = tip.y - hand.y;
  const double len = std::sqrt(vx * vx + vy * vy);
  const double ux = vx / len, uy = vy / len;
  // Pommel behind the fist, the blade out of it, the cross-guard across it.
  const Joint pommel{hand.x - ux * 5, hand.y - uy * 5};
  const Joint guard{hand.x + ux * 3.5, hand.y + uy * 3.5};
  Stroke(c, pommel, hand, 1.2, pal::kWood[1], pal::kWood[0]);
  Stroke(c, guard, tip, 1.3, pal::kStone[3], pal::kStone[1]);
  // The edge that catches the light, and a glint near the point.
  Line(c, static_cast<int>(guard.x + ux * 2), static_cast<int>(guard.y + uy * 2),
       static_cast<int>(tip.x - ux * 3), static_cast<int>(tip.y - uy * 3), pal::kWhite);
  Stroke(c, {guard.x - uy * 4.5, guard.y + ux * 4.5}, {guard.x + uy * 4.5, guard.y - ux * 4.5}, 1.1,
         pal::kGold[2], pal::kGold[1]);
  FillEllipse(c, pommel.x, pommel.y, 1.8, 1.8, pal::kGold[2]);
}

void Torso(Canvas& c, const Pose& p) {
  // The tunic: shoulders at the neck, narrowing to the belt, flaring to a hem.
  const double lean = p.neck.x - p.hip.x;
  const Joint belt{p.hip.x + lean * 0.15, p.hip.y - 3};
  const Pts tunic = {{p.neck.x - 6, p.neck.y - 1}, {p.neck.x + 6, p.neck.y - 1},
                     {belt.x + 6, belt.y},         {p.hip.x + 8, p.hip.y + 5},
                     {p.hip.x - 8, p.hip.y + 5},   {belt.x - 6, belt.y}};
  Shape(c, tunic, pal::kBlue[2]);
  // Shade the back half, light the chest.
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      if (c.Get(x, y) != pal::kBlue[2]) continue;
      const double t = (y - p.neck.y) / std::max(1.0, p.hip.y - p.neck.y);
      const double mid = p.neck.x + (p.hip.x - p.neck.x) * t;
      if (x > mid + 2)
        c.Set(x, y,
              DitherOn(x, y, std::clamp((x - mid - 2) / 3.0, 0.0, 1.0)) ? pal::kBlue[1]
                                                                        : pal::kBlue[2]);
      else if (x < mid - 4 && y < p.neck.y + 8)
        c.Set(x, y, pal::kBlue[3]);
    }
  // The hem's trim and the belt with its buckle.
  Line(c, static_cast<int>(p.hip.x - 7), static_cast<int>(p.hip.y + 4),
       static_cast<int>(p.hip.x + 7), static_cast<int>(p.hip.y + 4), pal::kGold[1]);
  Stroke(c, {belt.x - 6, belt.y}, {belt.x + 6, belt.y}, 1.3, pal::kWood[1], pal::kWood[0], false);
  c.FillRect(static_cast<int>(belt.x - 2), static_cast<int>(belt.y - 1), 3, 3, pal::kGold[2]);
  // A collar.
  Stroke(c, {p.neck.x - 4, p.neck.y}, {p.neck.x + 3, p.neck.y}, 1.2, pal::kWhite, pal::kStone[3],
         false);
}

void Head(Canvas& c, Joint h) {
  // Hair at the back and top first, then the face, then the fringe.
  FillEllipse(c, h.x + 2.5, h.y - 2, 10, 9, pal::kInk);
  FillEllipse(c, h.x + 2.5, h.y - 2, 9, 8, pal::kEarth[1]);
  FillEllipse(c, h.x - 0.5, h.y + 1, 8, 8, pal::kInk);
  FillEllipse(c, h.x - 0.5, h.y + 1, 7, 7, pal::kSkin[1]);
  // Jaw shade, the nose, an eye with a glint, a brow and the mouth.
  for (int y = static_cast<int>(h.y + 3); y < h.y + 8; ++y)
    for (int x = static_cast<int>(h.x); x < h.x + 7; ++x)
      if (c.Get(x, y) == pal::kSkin[1]) c.Set(x, y, pal::kSkin[0]);
  c.Set(static_cast<int>(h.x - 8), static_cast<int>(h.y + 1), pal::kSkin[1]);
  c.Set(static_cast<int>(h.x - 8), static_cast<int>(h.y + 2), pal::kInk);
  c.FillRect(static_cast<int>(h.x - 5), static_cast<int>(h.y - 1), 2, 3, pal::kInk);
  c.Set(static_cast<int>(h.x - 5), static_cast<int>(h.y - 1), pal::kWhite);
  c.FillRect(static_cast<int>(h.x - 6), static_cast<int>(h.y - 3), 4, 1, pal::kEarth[0]);
  c.FillRect(static_cast<int>(h.x - 6), static_cast<int>(h.y + 4), 3, 1, pal::kSkin[0]);
  c.Set(static_cast<int>(h.x - 2), static_cast<int>(h.y - 6), pal::kSkin[2]);
  // Ear.
  c.FillRect(static_cast<int>(h.x + 1), static_cast<int>(h.y), 2, 3, pal::kSkin[0]);
  // Spiky hair falling over the brow and down the neck.
  FillPolygon(c,
              {{h.x - 8, h.y - 4},
               {h.x - 4, h.y - 9},
               {h.x + 4, h.y - 10},
               {h.x + 2, h.y - 4},
               {h.x - 2, h.y - 2},
               {h.x - 5, h.y - 4}},
              pal::kEarth[1]);
  FillPolygon(c,
              {{h.x + 4, h.y - 4},
               {h.x + 11, h.y - 2},
               {h.x + 10, h.y + 6},
               {h.x + 6, h.y + 9},
               {h.x + 4, h.y + 3}},
              pal::kEarth[1]);
  for (int k = 0; k < 4; ++k)
    c.Set(static_cast<int>(h.x - 3 + k * 3), static_cast<int>(h.y - 8 + (k & 1)), pal::kEarth[3]);
  Line(c, static_cast<int>(h.x + 7), static_cast<int>(h.y - 1), static_cast<int>(h.x + 7),
       static_cast<int>(h.y + 6), pal::kEarth[0]);
  // The red headband, its knot at the back and the two tails.
  Stroke(c, {h.x - 7, h.y - 5}, {h.x + 9, h.y - 5}, 1.4, pal::kRed[2], pal::kRed[1]);
  Stroke(c, {h.x + 10, h.y - 4}, {h.x + 16, h.y - 1}, 1.2, pal::kRed[2], pal::kRed[1]);
  Stroke(c, {h.x + 10, h.y - 3}, {h.x + 14, h.y + 4}, 1.1, pal::kRed[1], pal::kRed[0]);
  c.Set(static_cast<int>(h.x - 4), static_cast<int>(h.y - 6), pal::kRed[3]);
}

void Cape(Canvas& c, const Pts& outline) {
  Shape(c, outline, pal::kRed[1]);
  // Folds: darker stripes running down the cloth, and a lit leading edge.
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      if (c.Get(x, y) != pal::kRed[1]) continue;
      if ((x + y / 3) % 6 == 0)
        c.Set(x, y, pal::kRed[0]);
      else if ((x + y / 3) % 6 == 1 && DitherOn(x, y, 0.5))
        c.Set(x, y, pal::kRed[2]);
    }
}

}  // namespace

void DrawHeroBattle(Canvas& c, int x, int y, int pose) {
  Canvas t(64, 64, kMagenta);
  const Pose p = PoseOf(pose);
  Cape(t, p.cape);
  // The far arm and leg, the body, then the near leg, the head and the near
  // arm with the sword on top.
  const Joint backShoulder{p.neck.x + 3, p.neck.y + 2}, frontShoulder{p.neck.x - 3, p.neck.y + 2};
  Arm(t, backShoulder, p.backElbow, p.backHand, false);
  Leg(t, {p.hip.x + 3, p.hip.y}, p.backKnee, p.backFoot, false);
  Leg(t, {p.hip.x - 3, p.hip.y}, p.frontKnee, p.frontFoot, true);
  Torso(t, p);
  Head(t, p.head);
  Sword(t, p.frontHand, p.swordTip);
  Arm(t, frontShoulder, p.frontElbow, p.frontHand, true);
  if (pose == 2) {
    // The flash where the point strikes home.
    for (int k = 0; k < 8; ++k) {
      const double a = k * 0.785398, r = k % 2 ? 3.0 : 6.0;
      Line(t, 2, 33, static_cast<int>(2 + r * std::cos(a)), static_cast<int>(33 + r * std::sin(a)),
           k % 2 ? pal::kGold[3] : pal::kWhite);
    }
  }
  GuardMagenta(t, 0, 0, 64, 64);
  const Rgb key = kMagenta;
  c.Blit(t, 0, 0, 64, 64, x, y, &key);
}
