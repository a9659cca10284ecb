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

void AdvanceActor(Actor& figure) {
  if (figure.stepLeft > 0) {
    const CellOffset offset = directionStep[figure.facing];
    figure.x += offset.dx * figure.speed;
    figure.y += offset.dy * figure.speed;
    figure.stepLeft -= figure.speed;
  } else if (figure.pause > 0) {
    figure.pause -= figure.speed;
  }
}
