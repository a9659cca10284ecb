// The village and the King's castle run the same frame: the hero and the
// people who wander there, talking, and the way out over the bottom edge.
// A Town says how the two places differ.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/surface.h"
#include "world/tile_map.h"

struct Town {
  const TileMap* map;
  std::unique_ptr<Surface>* tiles;      // the map's tile picture
  const std::uint8_t* walkable;         // class-1 list
  const std::uint8_t* secondary;        // class-2 list, null if none
  const std::uint8_t* counters;         // counter codes, null if none
  const std::uint8_t* coverTiles;       // null: figures are always drawn whole
  std::span<const int> slots;           // updated, tested and drawn in this order
  std::span<const int> counterKeepers;  // spoken to only across a counter
  std::span<const int> talkers;         // spoken to face to face, tested in order
  std::int32_t leftMark;                // lastMapLeft after walking out
};

// The PersonId the hero spoke to in this frame, 0 for none. The conversation
// runs after the frame has been shown.
extern std::int32_t pendingTalk;

void TownScene(const Town& town);

// One figure's part of the frame (exposed for tests).
void UpdateTownFigure(const Town& town, int slot);
