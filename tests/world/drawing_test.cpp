// What a walking frame puts on the screen, pixel by pixel: the map cells
// under the camera, the figures over them, the cover cut, the flames and
// Elmo. The expected pictures are worked out per screen pixel from the map
// and the tile picture, independently of how the game draws them cell by cell.
#include <gtest/gtest.h>

#include <cstdint>

#include "host/headless_script.h"
#include "shell/assets.h"
#include "world/demon_castle_scene.h"
#include "world/direction.h"
#include "world/map_entry.h"
#include "world/tile_map.h"
#include "world/world_play.h"

namespace {

struct Box {
  int left, top, right, bottom;  // screen pixels, right and bottom exclusive
  bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Screen pixels outside `skip` whose colour is not the map's pixel under them.
int WrongMapPixels(Play& play, const TileMap& map, const Surface& tiles, int camX, int camY,
                   Box skip) {
  int wrong = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (skip.Holds(x, y)) continue;
      const int mx = camX + x;
      const int my = camY + y;
      const std::uint8_t code = CodeAt(map, mx / 32, my / 32);
      const std::uint16_t want = tiles.At((code % 16) * 32 + mx % 32, (code / 16) * 32 + my % 32);
      if (play.game().host().VisibleAt(x, y) != want) ++wrong;
    }
  }
  return wrong;
}

// Pixels of the `people` square (sx, sy, w x h) that are not the colour key
// but do not show at screen (x, y).
int MissingFigurePixels(Play& play, int sx, int sy, int w, int h, int x, int y) {
  const Surface& people = *pictures::people;
  int missing = 0;
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) {
      const std::uint16_t p = people.At(sx + c, sy + r);
      if (people.colourKey && p == *people.colourKey) continue;
      if (play.game().host().VisibleAt(x + c, y + r) != p) ++missing;
    }
  }
  return missing;
}

TEST(Drawing, TheWorldMapBetweenCellsAndTheWalkingHero) {
  Play play;
  play.Frames(31);
  SetRandState(QuietRandState(1));
  play.Hold(kUp);
  play.Frames(5);  // ten units into the step: the camera stands between cells
  const Actor& hero = actors[0];
  ASSERT_EQ(hero.y, 45 * 64 - 10);
  const int camX = 45 * 32 - 304;  // 16 pixels into a column
  const int camY = hero.y / 2 - 224;
  ASSERT_NE(camY % 32, 0);

  // 54 units left in the step: walking frame 1, facing up, lifted 3.
  const int heroX = 304;
  const int heroY = hero.y / 2 - 3 - camY;
  EXPECT_EQ(WrongMapPixels(play, worldMap, *pictures::world, camX, camY,
                           Box{heroX, heroY, heroX + 32, heroY + 32}),
            0);
  EXPECT_EQ(MissingFigurePixels(play, 32, 32 * Up, 32, 32, heroX, heroY), 0);
}

TEST(Drawing, OnCoverOnlyTheHeroesHeadShows) {
  Play play;
  play.Frames(31);
  Play::PlaceHero(28, 12);  // forest, code 45
  ASSERT_EQ(CodeAt(worldMap, 28, 12), 45);
  play.Frames(1);
  const int camX = 28 * 32 - 304;
  const int camY = 12 * 32 - 224;
  // Head (top 8 rows) drawn, the forest below it untouched.
  EXPECT_EQ(MissingFigurePixels(play, 0, 32 * Down, 32, 8, 304, 221), 0);
  EXPECT_EQ(WrongMapPixels(play, worldMap, *pictures::world, camX, camY, Box{304, 221, 336, 229}),
            0);
}

TEST(Drawing, FlamesCountDownOncePerDrawnCell) {
  Play play;
  EnterDemonCastle();
  SetGameState(DemonCastle);
  cellAnimCountdown = 20;
  cellAnimFrame = 0;
  // From the start cell the camera shows rows 17 to 31: the flames of rows
  // 19 and 25, four cells a frame.
  play.Frames(5);
  EXPECT_EQ(cellAnimCountdown, 0);
  EXPECT_EQ(cellAnimFrame, 0);
  play.Frames(1);  // the first flame drawn turns the picture over
  EXPECT_EQ(cellAnimCountdown, 17);
  EXPECT_EQ(cellAnimFrame, 1);

  // Every flame of that frame shows the square of code 3, the rest is the map.
  const Surface& tiles = *pictures::castle2;
  int wrong = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      const int mx = x;
      const int my = 544 + y;
      if (CodeAt(demonCastleMap, mx / 32, my / 32) != 1) continue;
      if (play.game().host().VisibleAt(x, y) != tiles.At(96 + mx % 32, my % 32)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(Drawing, ElmoStandsAboveTheCorridorAndAlternates) {
  Play play;
  EnterDemonCastle();
  SetGameState(DemonCastle);
  Play::PlaceHero(10, 7);
  elmoCountdown = 0;
  elmoFrame = 0;
  play.Frames(1);  // this frame switches him to his second picture
  ASSERT_EQ(elmoFrame, 1);
  EXPECT_EQ(MissingFigurePixels(play, 0, 1344, 64, 64, 320, 61), 0);
  play.Frames(21);
  ASSERT_EQ(elmoFrame, 0);
  EXPECT_EQ(MissingFigurePixels(play, 0, 1280, 64, 64, 320, 61), 0);
}

}  // namespace
