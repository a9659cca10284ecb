// What a walking frame puts on the screen, pixel by pixel. The expected
// pictures are worked out per screen pixel from the map and the tile picture,
// independently of how the game draws them cell by cell.
#include <gtest/gtest.h>

#include <cstdint>

#include "state/assets.h"
#include "world/demon_castle_scene.h"
#include "world/direction.h"
#include "world/map_entry.h"
#include "world/tile_map.h"
#include "world/world_play.h"

namespace {

// The non-key pixels of the `people` square (sx, sy, w x h) shown at (left,
// top), and `under` everywhere else.
template <class Under>
auto Figure(int sx, int sy, int w, int h, int left, int top, Under under) {
  return [=](int x, int y) -> int {
    if (x < left || x >= left + w || y < top || y >= top + h) return under(x, y);
    const std::uint16_t p = pictures::people->At(sx + x - left, sy + y - top);
    return pictures::people->colourKey == p ? under(x, y) : p;
  };
}

const auto kAny = [](int, int) { return -1; };

TEST(Drawing, TheWorldMapBetweenCellsTheWalkingHeroAndTheCoverCut) {
  Play play;
  play.Frames(31);
  SetRandState(QuietRandState(1));
  play.Hold(kUp);
  play.Frames(5);  // ten units into the step: the camera stands between cells
  ASSERT_EQ(actors[0].y, 45 * 64 - 10);
  // 54 units left in the step: walking frame 1, facing up, lifted 3.
  const auto map = MapPixels(worldMap, *pictures::world, 45 * 32 - 304, actors[0].y / 2 - 224);
  EXPECT_EQ(Wrong(play, Figure(32, 32 * Up, 32, 32, 304, 224 - 3, map)), 0);

  // In the forest (code 45) only his head shows.
  play.Frames(27);
  Play::Place(28, 12);
  play.Hold(0);
  play.Frames(1);
  const auto forest = MapPixels(worldMap, *pictures::world, 28 * 32 - 304, 12 * 32 - 224);
  EXPECT_EQ(Wrong(play, Figure(0, 32 * Up, 32, 8, 304, 221, forest)), 0);
}

TEST(Drawing, FlamesCountDownOncePerDrawnCellElmoAlternatesEveryTwentyOneFrames) {
  Play play;
  play.Into(EnterDemonCastle, DemonCastle);
  cellAnimCountdown = 20;
  cellAnimFrame = 0;
  // From the start cell the camera shows rows 17 to 31: the flames of rows
  // 19 and 25, four cells a frame.
  play.Frames(5);
  EXPECT_EQ(cellAnimCountdown, 0);
  play.Frames(1);  // the first flame drawn turns the picture over
  EXPECT_EQ(cellAnimCountdown, 17);
  // Every flame of a frame shows the same picture: the squares of codes 1,
  // 3, 1 and 4 in turn, one turn each time the countdown has run out.
  for (const int left : {96, 32, 128, 32, 96}) {
    SCOPED_TRACE(left);
    EXPECT_EQ(Wrong(play,
                    [left](int x, int y) -> int {
                      if (CodeAt(demonCastleMap, x / 32, 17 + y / 32) != 1) return -1;
                      return pictures::castle2->At(left + x % 32, y % 32);
                    }),
              0);
    cellAnimCountdown = 0;
    play.Frames(1);
  }

  // Elmo, above the corridor, switches pictures in the frame his countdown
  // passes 0 and again 21 frames later.
  Play::Place(10, 7);
  elmoCountdown = 0;
  elmoFrame = 0;
  play.Frames(1);
  EXPECT_EQ(Wrong(play, Figure(0, 1344, 64, 64, 320, 61, kAny)), 0);
  play.Frames(20);
  EXPECT_EQ(elmoFrame, 1);
  play.Frames(1);
  EXPECT_EQ(Wrong(play, Figure(0, 1280, 64, 64, 320, 61, kAny)), 0);
}

}  // namespace
