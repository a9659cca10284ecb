// Where a battle draws: the menu and its texts, the cursor on both surfaces,
// and the fighters' pictures at each step of an attack.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "battle/battle.h"
#include "battle/battle_values.h"
#include "platform/display.h"
#include "platform/font.h"
#include "shell/assets.h"
#include "shell/player.h"
#include "support/headless_game.h"

namespace {

using Pixels = std::vector<std::uint16_t>;

std::uint16_t At(const Pixels& screen, int x, int y) {
  return screen[y * kScreenWidth + x];
}

// Every pixel of `r` in pbattle that is not its colour key shows at (x, y).
bool SpriteAt(const Pixels& screen, Rect r, int x, int y) {
  const Surface& sheet = *pictures::pbattle;
  int compared = 0;
  for (int row = r.top; row < r.bottom; ++row) {
    for (int col = r.left; col < r.right; ++col) {
      const std::uint16_t p = sheet.At(col, row);
      if (sheet.colourKey && p == *sheet.colourKey) continue;
      if (At(screen, x + col - r.left, y + row - r.top) != p) return false;
      ++compared;
    }
  }
  return compared > 0;
}

// The screen shows `text` in white at (x, y) over the blue of the menu, and
// nothing else in the text's cells.
bool TextAt(const Pixels& screen, const char* text, int x, int y) {
  Surface expected(kScreenWidth, kScreenHeight);
  std::fill(expected.pixels.begin(), expected.pixels.end(), kRawBlue);
  DrawTextAt(text, x, y, kTextWhite, &expected);
  int width = 0;
  for (const char* c = text; *c != 0; ++c)
    width += FontGlyph(static_cast<unsigned char>(*c)).advance;
  for (int row = y; row < y + kFontHeight; ++row) {
    for (int col = x; col < x + width; ++col) {
      if (At(screen, col, row) != expected.At(col, row)) return false;
    }
  }
  return true;
}

bool FilledWith(const Pixels& screen, Rect r, std::uint16_t colour) {
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      if (At(screen, x, y) != colour) return false;
    }
  }
  return true;
}

const Rect kCursor{0, 64, 32, 96};

// The second picture of a fight: the menu drawn at the end of the first pass,
// the cursor at ATTACK, the Dragonfly and the standing hero.
TEST(BattleScreen, MenuAndFightersWhereTheyBelong) {
  HeadlessGame game("");
  NewGame();
  Player.hp = 17;
  Player.herbs = 3;
  const int presents = game.host().Presents();
  Pixels shown;
  game.host().SetReadHook([&](std::uint32_t) {
    if (shown.empty() && game.host().Presents() - presents == 2) {
      shown = game.host().Visible();
      game.host().RequestQuit();
    }
  });
  EXPECT_THROW(RunBattle(Dragonfly, 0), QuitRequest);
  ASSERT_FALSE(shown.empty());

  // A white border two pixels wide around the blue body; the field outside.
  const Pixels& field = pictures::battle1->pixels;
  for (auto [x, y] : {std::pair{398, 358}, {621, 358}, {398, 413}, {621, 413}, {399, 390}}) {
    EXPECT_EQ(At(shown, x, y), kRawWhite) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{397, 358}, {622, 413}, {398, 357}, {621, 414}}) {
    EXPECT_EQ(At(shown, x, y), At(field, x, y)) << x << "," << y;
  }
  EXPECT_TRUE(FilledWith(shown, Rect{400, 392, 432, 412}, kRawBlue));  // the HERB cell
  EXPECT_EQ(At(shown, 619, 411), kRawBlue);
  EXPECT_TRUE(SpriteAt(shown, kCursor, 400, 360));

  EXPECT_TRUE(TextAt(shown, "ATTACK", 435, 367));
  EXPECT_TRUE(TextAt(shown, "HERB          3", 435, 387));
  EXPECT_TRUE(TextAt(shown, "HP  17/20", 500, 365));

  EXPECT_TRUE(SpriteAt(shown, Rect{64, 64, 128, 128}, 100, 200));
  EXPECT_TRUE(SpriteAt(shown, Rect{0, 0, 64, 64}, 550, 200));
}

// A cursor move is seen at once: it is drawn on the visible surface as well
// as on the one being prepared, the ATTACK cell painted over.
TEST(BattleScreen, CursorMoveShowsOnBothSurfaces) {
  HeadlessGame game("0 Down\n");
  NewGame();
  Pixels front, back;
  game.host().SetReadHook([&](std::uint32_t) {
    if (front.empty() && cursorRow == 1) {
      front = FrontSurface->pixels;
      back = BackBuffer->pixels;
      game.host().RequestQuit();
    }
  });
  EXPECT_THROW(RunBattle(DevilStone, 0), QuitRequest);
  ASSERT_FALSE(front.empty());
  for (const Pixels* surface : {&front, &back}) {
    EXPECT_TRUE(SpriteAt(*surface, kCursor, 400, 380));
    EXPECT_TRUE(FilledWith(*surface, Rect{400, 360, 432, 380}, kRawBlue));
  }
}

// Elmo's attack steps and the hero's lunge, each as shown after its pass.
TEST(BattleScreen, AttackStepsAgainstElmo) {
  HeadlessGame game("0 A\n40\n");
  NewGame();
  Player.hp = 1000;
  std::map<int, Pixels> heroSteps, elmoSteps;
  game.host().SetReadHook([&](std::uint32_t) {
    if (heroFrame > 0 && !heroSteps.contains(heroFrame))
      heroSteps[heroFrame] = game.host().Visible();
    if (monsterFrame > 0 && !elmoSteps.contains(monsterFrame)) {
      elmoSteps[monsterFrame] = game.host().Visible();
    }
    if (elmoSteps.contains(3)) game.host().RequestQuit();
  });
  EXPECT_THROW(RunBattle(Elmo, 10), QuitRequest);
  ASSERT_EQ(heroSteps.size(), 2u);
  ASSERT_EQ(elmoSteps.size(), 3u);

  EXPECT_TRUE(SpriteAt(heroSteps[1], Rect{64, 0, 128, 64}, 550, 200));
  EXPECT_TRUE(SpriteAt(heroSteps[1], Rect{128, 192, 192, 288}, 100, 168));
  EXPECT_TRUE(SpriteAt(heroSteps[2], Rect{128, 0, 192, 64}, 154, 200));  // the lunge

  EXPECT_TRUE(SpriteAt(elmoSteps[1], Rect{64, 192, 128, 288}, 100, 168));
  EXPECT_TRUE(SpriteAt(elmoSteps[2], Rect{0, 192, 64, 288}, 100, 168));
  EXPECT_TRUE(SpriteAt(elmoSteps[3], Rect{0, 192, 64, 288}, 100, 168));
  EXPECT_TRUE(SpriteAt(elmoSteps[3], Rect{0, 0, 64, 64}, 550, 200));
}

}  // namespace
