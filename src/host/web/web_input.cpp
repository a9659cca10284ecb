#include "host/web/web_input.h"

#include <algorithm>
#include <cmath>

#include "host/key_codes.h"

namespace {

struct KeyName {
  std::string_view code;
  std::uint8_t key;
};

// The game reads only a few of these; the rest keep the snapshot honest for
// anyone looking at other keys.
constexpr KeyName kKeys[] = {
    {"Escape", DIK_ESCAPE},
    {"Digit1", 0x02},
    {"Digit2", 0x03},
    {"Digit3", 0x04},
    {"Digit4", 0x05},
    {"Digit5", 0x06},
    {"Digit6", 0x07},
    {"Digit7", 0x08},
    {"Digit8", 0x09},
    {"Digit9", 0x0A},
    {"Digit0", 0x0B},
    {"Minus", 0x0C},
    {"Equal", 0x0D},
    {"Backspace", 0x0E},
    {"Tab", 0x0F},
    {"KeyQ", 0x10},
    {"KeyW", 0x11},
    {"KeyE", 0x12},
    {"KeyR", 0x13},
    {"KeyT", 0x14},
    {"KeyY", 0x15},
    {"KeyU", 0x16},
    {"KeyI", 0x17},
    {"KeyO", 0x18},
    {"KeyP", 0x19},
    {"BracketLeft", 0x1A},
    {"BracketRight", 0x1B},
    {"Enter", 0x1C},
    {"ControlLeft", 0x1D},
    {"KeyA", DIK_A},
    {"KeyS", DIK_S},
    {"KeyD", 0x20},
    {"KeyF", 0x21},
    {"KeyG", 0x22},
    {"KeyH", 0x23},
    {"KeyJ", 0x24},
    {"KeyK", 0x25},
    {"KeyL", 0x26},
    {"Semicolon", 0x27},
    {"Quote", 0x28},
    {"Backquote", 0x29},
    {"ShiftLeft", 0x2A},
    {"Backslash", 0x2B},
    {"KeyZ", DIK_Z},
    {"KeyX", 0x2D},
    {"KeyC", 0x2E},
    {"KeyV", 0x2F},
    {"KeyB", 0x30},
    {"KeyN", 0x31},
    {"KeyM", 0x32},
    {"Comma", 0x33},
    {"Period", 0x34},
    {"Slash", 0x35},
    {"ShiftRight", 0x36},
    {"NumpadMultiply", 0x37},
    {"AltLeft", 0x38},
    {"Space", 0x39},
    {"CapsLock", 0x3A},
    {"F1", 0x3B},
    {"F2", 0x3C},
    {"F3", 0x3D},
    {"F4", 0x3E},
    {"F5", 0x3F},
    {"F6", 0x40},
    {"F7", 0x41},
    {"F8", 0x42},
    {"F9", 0x43},
    {"F10", 0x44},
    {"NumLock", 0x45},
    {"ScrollLock", 0x46},
    {"Numpad7", 0x47},
    {"Numpad8", 0x48},
    {"Numpad9", 0x49},
    {"NumpadSubtract", 0x4A},
    {"Numpad4", 0x4B},
    {"Numpad5", 0x4C},
    {"Numpad6", 0x4D},
    {"NumpadAdd", 0x4E},
    {"Numpad1", 0x4F},
    {"Numpad2", 0x50},
    {"Numpad3", 0x51},
    {"Numpad0", 0x52},
    {"NumpadDecimal", 0x53},
    {"F11", 0x57},
    {"F12", 0x58},
    {"NumpadEnter", 0x9C},
    {"ControlRight", 0x9D},
    {"NumpadDivide", 0xB5},
    {"AltRight", 0xB8},
    {"Home", 0xC7},
    {"ArrowUp", DIK_UP},
    {"PageUp", 0xC9},
    {"ArrowLeft", DIK_LEFT},
    {"ArrowRight", DIK_RIGHT},
    {"End", 0xCF},
    {"ArrowDown", DIK_DOWN},
    {"PageDown", 0xD1},
    {"Insert", 0xD2},
    {"Delete", 0xD3},
    {"MetaLeft", 0xDB},
    {"MetaRight", 0xDC},
};

// -1..1 to the snapshot's -32768..32767; anything odd (NaN) is centred.
std::int32_t AxisValue(double v) {
  if (!(v >= -1.0)) v = v < -1.0 ? -1.0 : 0.0;
  v = std::min(v, 1.0);
  return v < 0 ? static_cast<std::int32_t>(std::lround(v * 32768.0))
               : static_cast<std::int32_t>(std::lround(v * 32767.0));
}

// 5 bits to 8, so that white stays 255.
std::uint8_t Widen(std::uint32_t five) {
  return static_cast<std::uint8_t>((five << 3) | (five >> 2));
}

}  // namespace

std::uint8_t GameKeyFromCode(std::string_view code) {
  for (const KeyName& k : kKeys) {
    if (k.code == code) return k.key;
  }
  return 0;
}

PadSnapshot PadFromStandardGamepad(const double* axes, int axisCount, const bool* buttons,
                                   int buttonCount) {
  auto down = [&](int i) { return i < buttonCount && buttons[i]; };
  PadSnapshot pad;
  pad.attached = true;
  pad.x = axisCount > 0 ? AxisValue(axes[0]) : 0;
  pad.y = axisCount > 1 ? AxisValue(axes[1]) : 0;
  // The d-pad is digital: while held it puts the stick at the end of its axis.
  if (down(14) != down(15)) pad.x = down(14) ? -32768 : 32767;
  if (down(12) != down(13)) pad.y = down(12) ? -32768 : 32767;
  pad.buttons[0] = down(2) || down(3) || down(9);
  pad.buttons[1] = down(0);
  pad.buttons[2] = down(1);
  return pad;
}

void PixelsToRgba(const std::uint16_t* in, std::size_t count, std::uint8_t* out) {
  for (std::size_t i = 0; i < count; ++i, out += 4) {
    const std::uint32_t p = in[i];
    out[0] = Widen((p >> 10) & 31);
    out[1] = Widen((p >> 5) & 31);
    out[2] = Widen(p & 31);
    out[3] = 255;
  }
}
