#include "host/demo_recorder.h"

// A read that throws QuitRequest returned nothing to the game, so nothing is
// recorded for it; the replay's same read throws the same way or, past the
// demo's end, reads as nothing held.

KeySnapshot DemoRecorder::ReadKeyboard() {
  const KeySnapshot keys = Inner().ReadKeyboard();
  writer_.AddKeyboard(keys);
  return NormalisedKeys(keys);
}

PadSnapshot DemoRecorder::ReadGamepad() {
  const PadSnapshot pad = Inner().ReadGamepad();
  writer_.AddGamepad(pad);
  return NormalisedPad(pad);
}

bool DemoRecorder::EscapeDown() {
  const bool down = Inner().EscapeDown();
  writer_.AddEscape(down);
  return down;
}
