// The test player's routes on the game's own maps, so that a changed map
// shows here rather than as a whole game that never ends.
#include <gtest/gtest.h>

#include "game/bot.h"
#include "state/game_state.h"
#include "world/tile_lists.h"

namespace {

// The steps of the walk from `from` to a goal; -1 when it stops short or
// runs in circles.
int Walk(const TileMap& map, const std::vector<Cell>& goals,
         const std::function<bool(Cell)>& passable, Cell from) {
  for (int steps = 0; steps <= map.width * map.height; ++steps) {
    for (const Cell goal : goals) {
      if (goal.x == from.x && goal.y == from.y) return steps;
    }
    const std::int32_t d = FirstStep(map, goals, passable, from);
    if (d == None) return -1;
    from = {from.x + directionStep[d].dx, from.y + directionStep[d].dy};
  }
  return -1;
}

TEST(Route, ReachesEveryPlaceAndElmo) {
  // From each cell a game puts the hero on: new game, out of the village,
  // out of the castle.
  for (const std::int32_t place : {Village, Castle, DemonCastle}) {
    for (const Cell start : {Cell{45, 45}, Cell{48, 49}, Cell{51, 43}}) {
      const auto ground = [place](Cell cell) { return WorldGround(cell, place); };
      EXPECT_GT(Walk(worldMap, EntranceCells(place), ground, start), 0)
          << "place " << place << " from " << start.x << "," << start.y;
    }
  }
  // Elmo's corridor: straight up from the way in to the row before him.
  const auto corridor = [](Cell cell) {
    return IsTileInList(CodeAt(demonCastleMap, cell.x, cell.y), demonCastleWalkable) != 0;
  };
  EXPECT_EQ(Walk(demonCastleMap, {{10, 6}}, corridor, {10, 31}), 25);
}

}  // namespace
