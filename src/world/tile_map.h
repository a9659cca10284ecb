// A map: a fixed grid of one-byte tile codes, row by row, 32 x 32 pixels a
// cell. The code's square in the map's tile picture is at
// ((code mod 16) * 32, (code div 16) * 32).
#pragma once

#include <cstdint>

#include "platform/surface.h"

inline constexpr int kCellPixels = 32;
inline constexpr int kUnitsPerCell = 64;  // figures move in half pixels

struct TileMap {
  const std::uint8_t* cells;
  std::int32_t width;   // in cells
  std::int32_t height;  // in cells
};

// The code at column c, row r; the caller keeps (c, r) inside the map.
constexpr std::uint8_t CodeAt(const TileMap& map, std::int32_t c, std::int32_t r) {
  return map.cells[r * map.width + c];
}

constexpr bool InsideMap(const TileMap& map, std::int32_t c, std::int32_t r) {
  return c >= 0 && r >= 0 && c < map.width && r < map.height;
}

constexpr std::int32_t PixelWidth(const TileMap& map) {
  return map.width * kCellPixels;
}
constexpr std::int32_t PixelHeight(const TileMap& map) {
  return map.height * kCellPixels;
}

// The square of a code in a tile picture.
constexpr Rect TileSquare(std::uint8_t code) {
  const std::int32_t left = (code % 16) * kCellPixels;
  const std::int32_t top = (code / 16) * kCellPixels;
  return Rect{left, top, left + kCellPixels, top + kCellPixels};
}

// The four places, built into the game.
extern const TileMap worldMap;        // 64 x 64, picture `world`
extern const TileMap villageMap;      // 32 x 32, picture `Village`
extern const TileMap castleMap;       // 32 x 32, picture `castle`
extern const TileMap demonCastleMap;  // 20 x 32, picture `castle2`
