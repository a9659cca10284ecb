// How the host's keyboard and game controller become the game's inputs.
//
// Keys are mapped by position (SDL scancodes), as the game's key codes are the
// keyboard's scan codes: A stays beside S whatever the layout prints on it.
// The controller follows SDL's standard controller layout:
//   left stick and d-pad      -> stick X and Y (the d-pad wins while held)
//   South (A on most pads)    -> button 1 (confirm, talk, attack)
//   East  (B)                 -> button 2 (cancel, continue)
//   North, West and Start     -> button 0 (status menu, leave an end screen)
#pragma once

#include <cstdint>

#include "host/host.h"

// The game key code of an SDL scancode, 0 when the game has none for it.
std::uint8_t GameKeyFromScancode(int scancode);

// Builds the game's key snapshot from SDL's keyboard state array
// (`count` entries, non-zero while the key is down).
KeySnapshot KeySnapshotFromScancodes(const std::uint8_t* state, int count);

// What one controller holds, in SDL's standard layout.
struct ControllerInputs {
  std::int16_t leftX = 0;  // -32768 (left) to 32767 (right)
  std::int16_t leftY = 0;  // -32768 (up) to 32767 (down)
  bool dpadUp = false, dpadDown = false, dpadLeft = false, dpadRight = false;
  bool south = false, east = false, north = false, west = false, start = false;
};

PadSnapshot PadFromController(const ControllerInputs& in);
