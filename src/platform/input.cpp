#include "platform/input.h"

#include <cstring>

#include "platform/host_link.h"

std::uint8_t keyState[256] = {};
DIJOYSTATE gamepadState = {};

namespace {
bool inputObject = false;
bool keyboardDevice = false;
bool gamepadDevice = false;
std::int32_t minX = -1024, maxX = 1024, minY = -1024, maxY = 1024;

std::int32_t Scale(std::int32_t v, std::int32_t lo, std::int32_t hi) {
  return lo + static_cast<std::int32_t>((static_cast<std::int64_t>(v) + 32768) * (hi - lo) / 65535);
}
}  // namespace

int CreateInput() {
  inputObject = HasHost();
  return inputObject ? 1 : 0;
}

int InitKeyboard() {
  keyboardDevice = inputObject;
  return keyboardDevice ? 1 : 0;
}

int InitGamepad(std::int32_t x0, std::int32_t x1, std::int32_t y0, std::int32_t y1) {
  if (!inputObject) return 0;
  minX = x0;
  maxX = x1;
  minY = y0;
  maxY = y1;
  // The controller is taken through the host, which follows it being plugged
  // in and out; the answer says whether one is there now.
  gamepadDevice = true;
  return CurrentHost().ReadGamepad().attached ? 1 : 0;
}

int ReadKeyboard() {
  if (!keyboardDevice) {
    std::memset(keyState, 0, sizeof keyState);
    return 0;
  }
  const KeySnapshot keys = CurrentHost().ReadKeyboard();
  std::memcpy(keyState, keys.data(), sizeof keyState);
  return 1;
}

int ReadGamepad() {
  if (!gamepadDevice) return 0;
  const PadSnapshot pad = CurrentHost().ReadGamepad();
  std::memset(&gamepadState, 0, sizeof gamepadState);
  if (!pad.attached) return 0;
  gamepadState.lX = Scale(pad.x, minX, maxX);
  gamepadState.lY = Scale(pad.y, minY, maxY);
  for (std::size_t i = 0; i < pad.buttons.size(); ++i) {
    gamepadState.rgbButtons[i] = pad.buttons[i] ? 0x80 : 0;
  }
  return 1;
}

void ReadDevices() {
  ReadGamepad();
  ReadKeyboard();
}

void ReleaseGamepad() {
  gamepadDevice = false;
}
void ReleaseKeyboard() {
  keyboardDevice = false;
}
void ReleaseInput() {
  inputObject = false;
}
