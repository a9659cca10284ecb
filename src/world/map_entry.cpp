// Placing the hero, and the people of a place, on their start cells.
#include "world/map_entry.h"

#include <cstdint>

#include "platform/trace.h"
#include "world/actor.h"
#include "world/direction.h"
#include "world/tile_lists.h"
#include "world/tile_map.h"

namespace {

// Everybody placed by an entry stands still for 64 units of their speed, so
// nobody walks off before the player has seen the place.
void PlaceFigure(Actor& figure, std::int32_t column, std::int32_t row, std::int32_t facing,
                 std::int32_t speed, std::int32_t id) {
  figure.x = column * kUnitsPerCell;
  figure.y = row * kUnitsPerCell;
  figure.tileX = column;
  figure.tileY = row;
  figure.stepLeft = 0;
  figure.pause = 64;
  figure.facing = facing;
  figure.speed = speed;
  figure.id = id;
}

// The terrain class follows the cell stood on; a cell in neither list leaves
// the old class alone. secondary is null on maps without a second class.
void TerrainFromCell(Actor& figure, const TileMap& map, const std::uint8_t* walkable,
                     const std::uint8_t* secondary) {
  const std::uint8_t code = CodeAt(map, figure.tileX, figure.tileY);
  if (IsTileInList(code, walkable)) {
    figure.terrain = 1;
  } else if (secondary != nullptr && IsTileInList(code, secondary)) {
    figure.terrain = 2;
  }
}

void TraceEntry(const char* place) {
  TraceEvent("enter").Str("map", place).Int("x", actors[0].tileX).Int("y", actors[0].tileY);
}

struct StartCell {
  std::int32_t slot;
  std::int32_t column;
  std::int32_t row;
  std::int32_t speed;
};

// The Merchant and the Bellboy start behind their counters.
constexpr StartCell kVillagePeople[] = {
    {1, 29, 16, 2},  // Merchant
    {2, 20, 20, 4},  // Girl
    {3, 21, 21, 4},  // Boy
    {4, 15, 19, 1},  // Bellboy
    {5, 10, 16, 1},  // Woman
    {6, 20, 9, 1},   // Soldier
};

constexpr StartCell kCastlePeople[] = {
    {6, 14, 28, 1},  // Soldier
    {7, 14, 18, 1},  // Minister
    {8, 16, 16, 1},  // King
};

// The hero comes in at the bottom, facing up; the people all face down.
template <std::size_t N>
void PlaceTown(const TileMap& map, const std::uint8_t* walkable, const std::uint8_t* secondary,
               std::int32_t heroColumn, std::int32_t heroRow, const StartCell (&people)[N]) {
  Actor& hero = actors[0];
  PlaceFigure(hero, heroColumn, heroRow, Up, 4, 0);
  TerrainFromCell(hero, map, walkable, secondary);
  for (const StartCell& start : people) {
    Actor& person = actors[start.slot];
    PlaceFigure(person, start.column, start.row, Down, start.speed, start.slot);
    TerrainFromCell(person, map, walkable, secondary);
  }
}

}  // namespace

void EnterWorldMap() {
  // Back out of the village or the castle the hero stands just below it.
  std::int32_t column = 45;
  std::int32_t row = 45;
  if (lastMapLeft == 2) {
    column = 48;
    row = 49;
  } else if (lastMapLeft == 3) {
    column = 51;
    row = 43;
  }
  Actor& hero = actors[0];
  PlaceFigure(hero, column, row, Down, 2, 0);
  TerrainFromCell(hero, worldMap, worldWalkable, worldSecondary);
  TraceEntry("world");
}

void EnterVillage() {
  PlaceTown(villageMap, villageWalkable, villageSecondary, 15, 29, kVillagePeople);
  TraceEntry("village");
}

void EnterCastle() {
  PlaceTown(castleMap, castleWalkable, nullptr, 16, 30, kCastlePeople);
  TraceEntry("castle");
}

void EnterDemonCastle() {
  Actor& hero = actors[0];
  PlaceFigure(hero, 10, 31, Up, 2, 0);
  TerrainFromCell(hero, demonCastleMap, demonCastleWalkable, nullptr);
  // Elmo never moves, so his terrain class is never needed.
  PlaceFigure(actors[kElmoSlot], 10, 2, Down, 1, 10);
  TraceEntry("demon");
}
