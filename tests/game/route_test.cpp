// The test player's route planning on the game's own maps: every place can
// be reached from every cell a game puts the hero on, without passing over
// the picture of another place, and the people behind the counters can be
// spoken to from the village's way in.
#include <gtest/gtest.h>

#include "game/route.h"
#include "world/tile_lists.h"

namespace {

bool WorldPassableAvoiding(const std::uint8_t* const* others, Cell cell) {
  const std::uint8_t code = CodeAt(worldMap, cell.x, cell.y);
  return IsTileInList(code, worldWalkable) && !IsTileInList(code, others[0]) &&
         !IsTileInList(code, others[1]);
}

// Follows the field from `from` to a goal; the number of steps, or -1 when
// the walk stops short or runs in circles.
int Walk(const TileMap& map, const DistanceField& field, Cell from) {
  Cell here = from;
  for (int steps = 0; steps <= map.width * map.height; ++steps) {
    if (field.At(here) == 0) return steps;
    const std::int32_t d = field.StepFrom(here);
    if (d == None) return -1;
    here = Cell{here.x + directionStep[d].dx, here.y + directionStep[d].dy};
  }
  return -1;
}

TEST(Route, EveryPlaceIsReachableFromEveryWorldStartCell) {
  const Cell starts[] = {{45, 45}, {48, 49}, {51, 43}};  // new game, out of the village, castle
  struct Place {
    const char* name;
    const std::uint8_t* entrance;
    const std::uint8_t* others[2];
  };
  const Place places[] = {
      {"village", villageEntrance, {castleEntrance, demonCastleEntrance}},
      {"castle", castleEntrance, {villageEntrance, demonCastleEntrance}},
      {"Elmo's castle", demonCastleEntrance, {villageEntrance, castleEntrance}},
  };
  for (const Place& place : places) {
    const DistanceField field(worldMap, CellsWithCode(worldMap, place.entrance),
                              [&](Cell cell) { return WorldPassableAvoiding(place.others, cell); });
    for (const Cell start : starts) {
      const int steps = Walk(worldMap, field, start);
      EXPECT_GT(steps, 0) << place.name << " from " << start.x << "," << start.y;
      EXPECT_EQ(steps, field.At(start)) << "the walk strays from the shortest way";
    }
  }
}

TEST(Route, StepsGoRoundWallsAndStopAtTheGoal) {
  // Elmo's corridor: from the way in straight up to the row before him.
  const auto corridor = [](Cell cell) {
    return IsTileInList(CodeAt(demonCastleMap, cell.x, cell.y), demonCastleWalkable) != 0;
  };
  const DistanceField toElmo(demonCastleMap, {Cell{10, 6}}, corridor);
  EXPECT_EQ(Walk(demonCastleMap, toElmo, Cell{10, 31}), 25);
  EXPECT_EQ(toElmo.StepFrom(Cell{10, 6}), None);
  EXPECT_EQ(toElmo.StepFrom(Cell{10, 7}), Up);
  // A cell walled off from the goal has no way, and a wall cell none either.
  EXPECT_EQ(toElmo.At(Cell{0, 0}), kUnreachable);
  EXPECT_EQ(toElmo.At(Cell{-1, 40}), kUnreachable);

  // In the village the inn's counter has a cell in front of it that can be
  // reached from the way in, and so has the shop's.
  const auto ground = [](Cell cell) {
    const std::uint8_t code = CodeAt(villageMap, cell.x, cell.y);
    return IsTileInList(code, villageWalkable) && !IsTileInList(code, villageCounterTiles);
  };
  for (const Cell front : {Cell{15, 21}, Cell{29, 18}}) {
    ASSERT_TRUE(IsTileInList(CodeAt(villageMap, front.x, front.y - 1), villageCounterTiles));
    const DistanceField field(villageMap, {front}, ground);
    EXPECT_GT(Walk(villageMap, field, Cell{15, 29}), 0) << front.x << "," << front.y;
  }
}

}  // namespace
