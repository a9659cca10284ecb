// Stepping from cell to cell: the pieces every walking scene puts together in
// its own order (the world map rolls for battles, the towns look for people
// in the way, Elmo's castle watches for row 5).
#pragma once

#include <cstdint>

#include "world/actor.h"

struct Cell {
  std::int32_t x;
  std::int32_t y;
};

// The cell one step from the figure's cell in `direction` (its own for None).
Cell StepTarget(const Actor& figure, std::int32_t direction);

// The terrain test of a step onto `code`: class 1 first, then class 2 where
// the map has one (secondary null otherwise). On a pass the figure takes the
// class it walks by.
bool PassesTerrain(Actor& figure, std::uint8_t code, const std::uint8_t* walkable,
                   const std::uint8_t* secondary);

// Starts a step: the figure owns the target cell from now on.
void StartStep(Actor& figure, std::int32_t direction, Cell target);

// One frame of a stepping figure's walk, or of a standing figure's wait.
void AdvanceActor(Actor& figure);
