// The picture the window smoke test shows: eight upright bars of 80 pixels
// (presented), then a black box drawn over the middle of the visible picture
// (shown without a present), so that both ways of reaching the screen count.
#pragma once

#include <cstdint>

namespace smoke {

inline constexpr int kBarWidth = 80;
// White, yellow, cyan, green, magenta, red, blue, grey in the 5-5-5 layout.
inline constexpr std::uint16_t kBars[8] = {0x7FFF, 0x7FE0, 0x03FF, 0x03E0,
                                           0x7C1F, 0x7C00, 0x001F, 0x4210};
// The box drawn on the visible picture: x 200..439, y 160..319.
inline constexpr int kBoxLeft = 200, kBoxTop = 160, kBoxRight = 440, kBoxBottom = 320;

inline std::uint16_t BarsAt(int x) {
  return kBars[x / kBarWidth];
}

}  // namespace smoke
