#include "host/demo_player.h"

template <typename T>
const T* DemoPlayer::Next(const std::vector<DemoRun<T>>& runs, Cursor<T>& at) {
  while (at.run < runs.size() && at.used >= runs[at.run].count) {
    ++at.run;
    at.used = 0;
  }
  if (at.run >= runs.size()) {
    NoteEnd();
    return nullptr;
  }
  ++at.used;
  return &runs[at.run].value;
}

void DemoPlayer::NoteEnd() {
  if (ended_) return;
  ended_ = true;
  if (onEnd_) onEnd_();
}

// The real device is still read first: it is where the host waits, keeps
// the window alive and notices a quit.

KeySnapshot DemoPlayer::ReadKeyboard() {
  Inner().ReadKeyboard();
  const KeySnapshot* keys = Next(demo_.keyboard, keyboard_);
  return keys != nullptr ? *keys : KeySnapshot{};
}

PadSnapshot DemoPlayer::ReadGamepad() {
  Inner().ReadGamepad();
  const PadSnapshot* pad = Next(demo_.gamepad, gamepad_);
  return pad != nullptr ? *pad : PadSnapshot{};
}

bool DemoPlayer::EscapeDown() {
  const bool real = Inner().EscapeDown();
  const bool* recorded = Next(demo_.escape, escape_);
  return real || (recorded != nullptr && *recorded);
}
