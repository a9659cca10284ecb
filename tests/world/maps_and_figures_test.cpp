// The built-in maps against the listing, the tile lists, the camera's clamps
// and how a figure's picture is cut from `people`.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "world/actor.h"
#include "world/camera.h"
#include "world/direction.h"
#include "world/map_drawing.h"
#include "world/tile_lists.h"
#include "world/tile_map.h"
#include "world/walking.h"

namespace {

// Cells read off the listing: the map, the cell, and the hex codes from there
// rightwards. The corners tell a shifted row at once; then the pictures of
// the village, the castle and Elmo's castle on the world, and the village's
// counters (25) with two cells (18) behind each.
TEST(MapGrids, SpotChecksAgainstTheListing) {
  std::istringstream listing(R"(
      world 0 0: 08 ;  world 63 0: 08 ;  world 63 40: 09 ;  world 0 63: 1A ;  world 63 63: 1A ;
      world 45 45: 00 ;  world 47 47: 0D 0E 0F ;  world 47 48: 1D 1E 1F ;
      world 50 40: 3D 3F 40 ;  world 50 41: 41 42 43 ;  world 50 42: 44 45 46 ;
      world 6 8: 47 48 49 ;  world 6 9: 4A 4B 4C ;  world 6 10: 4D 4E 4F ;
      village 0 0: 02 ;  village 31 31: 01 ;  village 27 17: 22 23 23 ;  village 13 20: 22 23 23 ;
      village 26 16: 18 25 18 18 0A ;  village 13 19: 25 18 18 0A ;)");
  int checked = 0;
  for (std::string name, code; listing >> name;) {
    int column = 0, row = 0;
    listing >> column >> row >> code;  // and the colon
    for (int c = column; listing >> code && code != ";"; ++c, ++checked) {
      EXPECT_EQ(CodeAt(name == "world" ? worldMap : villageMap, c, row),
                std::stoi(code, nullptr, 16))
          << name << " " << c << "," << row;
    }
  }
  EXPECT_EQ(checked, 47);
}

// Walls (6 to 8) either side of the corridor (5), with a gate (11) in rows 0
// and 5; beyond them ground (0, 2) and the flames (1).
TEST(MapGrids, ElmosCastleIsOneCorridorFlankedByEightFlames) {
  int flames = 0;
  for (int r = 0; r < 32; ++r) {
    for (int c = 0; c < 20; ++c) {
      const int code = CodeAt(demonCastleMap, c, r);
      const bool wall = c == 8 || c == 12, gate = wall && (r == 0 || r == 5);
      const bool fits = c >= 9 && c <= 11 ? code == 5
                        : gate            ? code == 11
                        : wall            ? code >= 6 && code <= 8
                                          : code <= 2;
      EXPECT_TRUE(fits) << c << "," << r;
      flames += !wall && code == 1;
    }
  }
  EXPECT_EQ(flames, 8);
}

// The end marker (255) is no member; 62 is scenery beside the castle gate;
// behind the village's counters the keepers walk, over them nobody.
TEST(TileLists, MembersAndTheEndMarker) {
  const struct {
    std::uint8_t code;
    const std::uint8_t* list;
    bool member;
  } cases[] = {{0, worldWalkable, true},        {79, worldWalkable, true},
               {10, demonCastleWalkable, true}, {0x18, villageWalkable, true},
               {255, worldWalkable, false},     {80, worldWalkable, false},
               {62, castleEntrance, false},     {11, demonCastleWalkable, false},
               {0x25, villageWalkable, false}};
  for (const auto& c : cases) EXPECT_EQ(IsTileInList(c.code, c.list) != 0, c.member) << int{c.code};
}

// speed 2, terrain class 1
Actor StandingAt(int column, int row, int facing = Down) {
  return Actor{column * 64, row * 64, column, row, 0, 2, 0, facing, 1, 0};
}

std::pair<int, int> CameraOn(const TileMap& map, int column, int row) {
  const Camera c = CameraFor(StandingAt(column, row), PixelWidth(map), PixelHeight(map));
  return {c.x, c.y};
}

// Elmo's castle is exactly one screen wide: the camera never pans sideways.
TEST(Camera, CentresTheHeroAndStopsAtEveryEdgeOfEveryMap) {
  using P = std::pair<int, int>;
  const std::vector<P> seen = {CameraOn(worldMap, 45, 45),     CameraOn(worldMap, 0, 0),
                               CameraOn(worldMap, 63, 63),     CameraOn(villageMap, 31, 31),
                               CameraOn(castleMap, 31, 31),    CameraOn(demonCastleMap, 19, 31),
                               CameraOn(demonCastleMap, 10, 6)};
  EXPECT_EQ(seen,
            (std::vector<P>{
                {1136, 1216}, {0, 0}, {1408, 1568}, {384, 544}, {384, 544}, {0, 544}, {0, 0}}));
}

TEST(ActorPicture, WalkingFramesRowLiftAndNothingLookedUpOffTheMap) {
  Actor a = StandingAt(45, 45, Up);
  EXPECT_EQ(PrepareActorPicture(a, worldMap, worldCoverTiles).source.left, 0);
  StartStep(a, Up, Cell{45, 44});
  std::vector<int> frames, expected;
  while (a.stepLeft > 0) {
    AdvanceActor(a);
    frames.push_back(PrepareActorPicture(a, worldMap, worldCoverTiles).source.left / 32);
  }
  for (int f : {1, 0, 1, 0}) expected.insert(expected.end(), 8, f);
  EXPECT_EQ(frames, expected);  // alternating every eight frames at speed 2

  Actor merchant = StandingAt(29, 16, Left);
  merchant.id = 1;
  const ActorPicture p = PrepareActorPicture(merchant, castleMap, nullptr);
  EXPECT_EQ(p.source.top, 32 * (Left + 4));
  EXPECT_EQ(p.lift, 3);
  EXPECT_EQ(p.under, -1);  // no cover on this map, nothing looked up
  merchant.stepLeft = 20;  // walking frame 1 sideways bobs a pixel higher
  EXPECT_EQ(PrepareActorPicture(merchant, castleMap, nullptr).lift, 4);
  merchant.facing = Down;
  EXPECT_EQ(PrepareActorPicture(merchant, castleMap, nullptr).lift, 3);

  // The hero walking out of the village is drawn once more over the village
  // at his world position (48, 49), where the village has no cell.
  const ActorPicture off = PrepareActorPicture(StandingAt(48, 49), villageMap, villageCoverTiles);
  EXPECT_EQ(off.under, -1);
  EXPECT_EQ(off.source.bottom - off.source.top, 32);
}

}  // namespace
