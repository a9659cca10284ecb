// The pure parts of the web host: how the page's keyboard, game controller
// and pixels become the game's, kept apart from the browser so that they can
// be checked on the desktop too.
//
// Keys are mapped by position (the page's physical key codes such as "KeyA"
// or "ArrowUp"), as the desktop maps scancodes: A stays beside S whatever the
// layout prints on it. The controller follows the browser's standard layout:
//   axes 0 and 1 and the d-pad (12 to 15) -> stick X and Y (the d-pad wins)
//   button 0 (South, A on most pads)      -> button 1 (confirm, talk, attack)
//   button 1 (East, B)                    -> button 2 (cancel, continue)
//   buttons 2, 3 (West, North) and 9 (Start) -> button 0 (status menu)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/host.h"

// The game key code of a physical key code, 0 when the game has none for it.
std::uint8_t GameKeyFromCode(std::string_view code);

// What one standard-layout controller holds: axes from -1 to 1, buttons down
// or up. Missing axes and buttons count as centred and up.
PadSnapshot PadFromStandardGamepad(const double* axes, int axisCount, const bool* buttons,
                                   int buttonCount);

// 5-5-5 pixels to the canvas's RGBA bytes (opaque), each 5 bits widened to 8
// so that white stays 255, as the screenshots do.
void PixelsToRgba(const std::uint16_t* in, std::size_t count, std::uint8_t* out);
