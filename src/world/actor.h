// The figures on the current map and the memory of which place the hero left.
#pragma once

#include <cstdint>

// One figure; ten 32-bit values in the order of the game's record.
struct Actor {
  std::int32_t x;      // map units, 64 per cell (so pixels are x / 2)
  std::int32_t y;      // likewise, rows grow downwards
  std::int32_t tileX;  // the cell stood on, or stepped into once a step starts
  std::int32_t tileY;
  std::int32_t stepLeft;  // units left in the step: 64 at its start, 0 standing
  std::int32_t speed;     // units per frame, stepping or waiting
  std::int32_t pause;     // a figure starts no step while this is above 0
  std::int32_t facing;    // Direction, 0 to 3
  std::int32_t terrain;   // 1: may walk the map's class-1 list; 2: its class-2 list
  std::int32_t id;        // picture group in `people`; a person's PersonId too
};

// Slot 0 the hero; 1 to 6 the village people; 6 to 8 the castle people (the
// Soldier's slot 6 serves both places); 9 unused; 10 Elmo.
inline constexpr int kActorSlots = 11;
inline constexpr int kElmoSlot = 10;
extern Actor actors[kActorSlots];

// 1 after entering a place from the world map, 2 after walking out of the
// village, 3 after walking out of the castle. A new game keeps it.
extern std::int32_t lastMapLeft;
