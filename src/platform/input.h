// Keyboard and gamepad, polled whole into two records.
#pragma once

#include <cstdint>

#include "host/key_codes.h"

// The joystick record: what the game reads of a gamepad, the X and Y axes
// and 32 buttons (down while 0x80 is set). The other axes, sliders and hat
// values of such a device were never read, and are not kept.
struct DIJOYSTATE {
  std::int32_t lX, lY;
  std::uint8_t rgbButtons[32];
};

extern std::uint8_t keyState[256];
extern DIJOYSTATE gamepadState;

int CreateInput();
int InitKeyboard();
int InitGamepad(std::int32_t minX, std::int32_t maxX, std::int32_t minY, std::int32_t maxY);
int ReadKeyboard();
int ReadGamepad();
// The gamepad, then the keyboard: the read of every loop that waits for a
// key or button.
void ReadDevices();
void ReleaseGamepad();
void ReleaseKeyboard();
void ReleaseInput();

// A key or button is down while bit 7 of its byte is set; a stick axis counts
// as a direction strictly beyond -512 or 512.
inline bool KeyDown(int code) {
  return (keyState[code] & 0x80) != 0;
}
inline bool PadButtonDown(int n) {
  return (gamepadState.rgbButtons[n] & 0x80) != 0;
}
inline bool PadLeft() {
  return gamepadState.lX < -512;
}
inline bool PadRight() {
  return gamepadState.lX > 512;
}
inline bool PadUp() {
  return gamepadState.lY < -512;
}
inline bool PadDown() {
  return gamepadState.lY > 512;
}
