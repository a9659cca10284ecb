// Route planning for the test player: a breadth-first search over a map's
// cells from every goal cell at once, so that each cell knows how far it is
// from the nearest goal. Walking a route is then just stepping to the
// neighbour that is one closer, which copes with battles and with people who
// get in the way, since the next step is looked up afresh each time.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "world/direction.h"
#include "world/tile_map.h"
#include "world/walking.h"

inline constexpr int kUnreachable = -1;

class DistanceField {
 public:
  // `passable` says whether the hero may stand on a cell; goal cells count
  // as reachable even when they are not passable themselves.
  DistanceField(const TileMap& map, const std::vector<Cell>& goals,
                const std::function<bool(Cell)>& passable);

  int At(Cell cell) const;
  // The direction of the neighbour of `from` nearest to a goal, tested in the
  // fixed order Up, Down, Left, Right; None at a goal or when none is closer.
  std::int32_t StepFrom(Cell from) const;

 private:
  const TileMap& map_;
  std::vector<int> distance_;
};

// The cells of `map` whose code is in `list`.
std::vector<Cell> CellsWithCode(const TileMap& map, const std::uint8_t* list);
