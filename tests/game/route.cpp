#include "game/route.h"

#include <deque>

#include "world/tile_lists.h"

DistanceField::DistanceField(const TileMap& map, const std::vector<Cell>& goals,
                             const std::function<bool(Cell)>& passable)
    : map_(map), distance_(static_cast<std::size_t>(map.width * map.height), kUnreachable) {
  std::deque<Cell> open;
  for (const Cell goal : goals) {
    if (!InsideMap(map, goal.x, goal.y) || At(goal) == 0) continue;
    distance_[goal.y * map.width + goal.x] = 0;
    open.push_back(goal);
  }
  while (!open.empty()) {
    const Cell here = open.front();
    open.pop_front();
    for (std::int32_t d = Up; d <= Right; ++d) {
      const Cell next{here.x + directionStep[d].dx, here.y + directionStep[d].dy};
      if (!InsideMap(map, next.x, next.y) || At(next) != kUnreachable || !passable(next)) {
        continue;
      }
      distance_[next.y * map.width + next.x] = At(here) + 1;
      open.push_back(next);
    }
  }
}

int DistanceField::At(Cell cell) const {
  if (!InsideMap(map_, cell.x, cell.y)) return kUnreachable;
  return distance_[cell.y * map_.width + cell.x];
}

std::int32_t DistanceField::StepFrom(Cell from) const {
  const int here = At(from);
  std::int32_t best = None;
  int bestDistance = here == kUnreachable ? INT32_MAX : here;
  for (std::int32_t d = Up; d <= Right; ++d) {
    const int there = At(Cell{from.x + directionStep[d].dx, from.y + directionStep[d].dy});
    if (there != kUnreachable && there < bestDistance) {
      best = d;
      bestDistance = there;
    }
  }
  return best;
}

std::vector<Cell> CellsWithCode(const TileMap& map, const std::uint8_t* list) {
  std::vector<Cell> cells;
  for (std::int32_t r = 0; r < map.height; ++r) {
    for (std::int32_t c = 0; c < map.width; ++c) {
      if (IsTileInList(CodeAt(map, c, r), list)) cells.push_back(Cell{c, r});
    }
  }
  return cells;
}
