// The camera: the map pixel shown at the screen's top-left corner, worked out
// anew every frame so that the hero stands in the middle of the screen until
// an edge of the map stops it.
#pragma once

#include <cstdint>

#include "world/actor.h"
#include "world/tile_map.h"

struct Camera {
  std::int32_t x;
  std::int32_t y;
};

extern Camera camera;

// The camera that keeps `hero` in the middle of a map of that pixel size.
Camera CameraFor(const Actor& hero, std::int32_t mapPixelWidth, std::int32_t mapPixelHeight);

// Points `camera` at the hero on `map`.
void FollowHero(const TileMap& map);
