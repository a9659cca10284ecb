// Drawing a map and the figures on it onto the BackBuffer.
#pragma once

#include <cstdint>

#include "platform/surface.h"
#include "world/actor.h"
#include "world/camera.h"
#include "world/tile_map.h"

// Where a code's picture comes from; Elmo's castle swaps in its flames.
using TileSourceFn = Rect (*)(std::uint8_t code);

// The cells the camera sees: 20 x 15, or one more column or row when the
// camera stands between two cells.
void DrawTileMap(const TileMap& map, Surface* tiles, const Camera& view,
                 TileSourceFn source = TileSquare);

// A figure's picture as the frame prepares it, before it is drawn.
struct ActorPicture {
  Rect source;         // in `people`, already cut to the head on cover
  std::int32_t lift;   // pixels the figure is raised above its cell
  std::int32_t under;  // the code under the figure's middle, -1 if not looked up
};

// Walking frame, facing, lift and the cover cut. coverTiles null means the map
// hides no feet (castles); then nothing is looked up.
ActorPicture PrepareActorPicture(const Actor& figure, const TileMap& map,
                                 const std::uint8_t* coverTiles);

// Draws the prepared picture for a figure standing at map units (x, y).
void DrawActorPicture(const ActorPicture& picture, std::int32_t x, std::int32_t y,
                      const Camera& view);

void DrawActor(const Actor& figure, const Camera& view, const TileMap& map,
               const std::uint8_t* coverTiles);
