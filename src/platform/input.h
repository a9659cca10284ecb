// Keyboard and gamepad, polled whole into two records.
#pragma once

#include <cstdint>

// Key codes of the game's key table (the keyboard's scan codes).
inline constexpr int DIK_ESCAPE = 0x01;
inline constexpr int DIK_A = 0x1E;
inline constexpr int DIK_S = 0x1F;
inline constexpr int DIK_Z = 0x2C;
inline constexpr int DIK_UP = 0xC8;
inline constexpr int DIK_LEFT = 0xCB;
inline constexpr int DIK_RIGHT = 0xCD;
inline constexpr int DIK_DOWN = 0xD0;

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
inline bool KeyDown(int code) { return (keyState[code] & 0x80) != 0; }
inline bool PadButtonDown(int n) { return (gamepadState.rgbButtons[n] & 0x80) != 0; }
inline bool PadLeft() { return gamepadState.lX < -512; }
inline bool PadRight() { return gamepadState.lX > 512; }
inline bool PadUp() { return gamepadState.lY < -512; }
inline bool PadDown() { return gamepadState.lY > 512; }
