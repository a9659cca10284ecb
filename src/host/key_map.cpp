#include "host/key_map.h"

#include <SDL_scancode.h>

#include <array>

#include "host/key_codes.h"

namespace {

struct KeyPair {
  SDL_Scancode scancode;
  std::uint8_t code;
};

// The keys the game reads; every other key reads as up.
constexpr KeyPair kKeys[] = {
    {SDL_SCANCODE_ESCAPE, DIK_ESCAPE}, {SDL_SCANCODE_A, DIK_A},       {SDL_SCANCODE_S, DIK_S},
    {SDL_SCANCODE_Z, DIK_Z},           {SDL_SCANCODE_UP, DIK_UP},     {SDL_SCANCODE_LEFT, DIK_LEFT},
    {SDL_SCANCODE_RIGHT, DIK_RIGHT},   {SDL_SCANCODE_DOWN, DIK_DOWN},
};

constexpr std::array<std::uint8_t, SDL_NUM_SCANCODES> BuildTable() {
  std::array<std::uint8_t, SDL_NUM_SCANCODES> table{};
  for (const KeyPair& k : kKeys) table[k.scancode] = k.code;
  return table;
}

constexpr auto kTable = BuildTable();

}  // namespace

std::uint8_t GameKeyFromScancode(int scancode) {
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return kTable[static_cast<std::size_t>(scancode)];
}

KeySnapshot KeySnapshotFromScancodes(const std::uint8_t* state, int count) {
  KeySnapshot keys{};
  if (state == nullptr) return keys;
  for (int sc = 0; sc < count && sc < SDL_NUM_SCANCODES; ++sc) {
    const std::uint8_t code = kTable[static_cast<std::size_t>(sc)];
    if (code != 0 && state[sc] != 0) keys[code] = 0x80;
  }
  return keys;
}

PadSnapshot PadFromController(const ControllerInputs& in) {
  PadSnapshot pad;
  pad.attached = true;
  pad.x = in.leftX;
  pad.y = in.leftY;
  // The d-pad is digital: while held it puts the stick at the end of its axis.
  if (in.dpadLeft != in.dpadRight) pad.x = in.dpadLeft ? -32768 : 32767;
  if (in.dpadUp != in.dpadDown) pad.y = in.dpadUp ? -32768 : 32767;
  pad.buttons[0] = in.north || in.west || in.start;
  pad.buttons[1] = in.south;
  pad.buttons[2] = in.east;
  return pad;
}
