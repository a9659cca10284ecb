// Keyboard and gamepad, polled whole into two records.
#pragma once

#include <cstdint>

#include "host/key_codes.h"

// The joystick record: six axes, two sliders, four point-of-view values and
// 32 buttons (down while 0x80 is set).
struct DIJOYSTATE {
  std::int32_t lX, lY, lZ;
  std::int32_t lRx, lRy, lRz;
  std::int32_t rglSlider[2];
  std::uint32_t rgdwPOV[4];
  std::uint8_t rgbButtons[32];
};
static_assert(sizeof(DIJOYSTATE) == 80);

extern std::uint8_t keyState[256];
extern DIJOYSTATE gamepadState;

int CreateInput();
int InitKeyboard();
int InitGamepad(std::int32_t minX, std::int32_t maxX, std::int32_t minY, std::int32_t maxY);
int ReadKeyboard();
int ReadGamepad();
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
