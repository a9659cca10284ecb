#include "world/walking.h"

#include "platform/trace.h"
#include "world/direction.h"
#include "world/tile_lists.h"
#include "world/tile_map.h"

Cell StepTarget(const Actor& figure, std::int32_t direction) {
  const CellOffset offset = directionStep[direction];
  return Cell{figure.tileX + offset.dx, figure.tileY + offset.dy};
}

bool PassesTerrain(Actor& figure, std::uint8_t code, const std::uint8_t* walkable,
                   const std::uint8_t* secondary) {
  if ((figure.terrain & 1) != 0 && IsTileInList(code, walkable)) {
    figure.terrain = 1;
    return true;
  }
  if (secondary != nullptr && (figure.terrain & 2) != 0 && IsTileInList(code, secondary)) {
    figure.terrain = 2;
    return true;
  }
  return false;
}

void StartStep(Actor& figure, std::int32_t direction, Cell target) {
  figure.tileX = target.x;
  figure.tileY = target.y;
  figure.facing = direction;
  figure.stepLeft = kUnitsPerCell;
  if (&figure == &actors[0]) {
    TraceEvent("step").Int("x", target.x).Int("y", target.y);
  }
}

namespace {
// -1, 0 or 1: the way from `from` to `to`.
std::int32_t Towards(std::int32_t from, std::int32_t to) {
  return (to > from) - (to < from);
}
}  // namespace

void AdvanceActor(Actor& figure) {
  if (figure.stepLeft > 0) {
    // A step runs on towards the cell it was started for, whichever way the
    // figure faces meanwhile: a keeper turns to his customer mid-step.
    figure.x += Towards(figure.x, figure.tileX * kUnitsPerCell) * figure.speed;
    figure.y += Towards(figure.y, figure.tileY * kUnitsPerCell) * figure.speed;
    figure.stepLeft -= figure.speed;
  } else if (figure.pause > 0) {
    figure.pause -= figure.speed;
  }
}
