// The four ways a figure can look and step, and None for "no step asked".
#pragma once

#include <cstdint>

enum Direction : std::int32_t { Up = 0, Down = 1, Left = 2, Right = 3, None = 4 };

struct CellOffset {
  std::int32_t dx;
  std::int32_t dy;
};

// Rows grow downwards.
inline constexpr CellOffset directionStep[5] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}, {0, 0}};
