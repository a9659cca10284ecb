#include "host/demo_player.h"

template <typename T>
const T* DemoPlayer::Next(const std::vector<DemoRun<T>>& runs, Cursor<T>& at) {
  while (at.run < runs.size() && at.used >= runs[at.run].count) {
    ++at.run;
    at.used = 0;
  }
  if (at.run >= runs.size()) {
    NoteEnd(false);
    return nullptr;
  }
  ++at.used;
  return &runs[at.run].value;
}

void DemoPlayer::NoteEnd(bool quit) {
  if (ended_) return;
  ended_ = true;
  if (onEnd_) onEnd_(quit);
}

bool DemoPlayer::QuitDue() {
  ++calls_;
  if (!demo_.quit || calls_ < demo_.quit->call) return false;
  NoteEnd(true);
  return true;
}

template <typename Call>
auto DemoPlayer::Blocking(Call call) {
  if (QuitDue()) {
    // The recorded call did its work before it threw; later ones did not.
    if (calls_ == demo_.quit->call && demo_.quit->way == DemoQuit::Way::After) call();
    throw QuitRequest{};
  }
  return call();
}

void DemoPlayer::Around(const std::function<void()>& call) {
  Blocking(call);
}

// The real device is still read first: it is where the host waits, keeps
// the window alive and notices a quit.

KeySnapshot DemoPlayer::ReadKeyboard() {
  Blocking([&] { Inner().ReadKeyboard(); });
  const KeySnapshot* keys = Next(demo_.keyboard, keyboard_);
  return keys != nullptr ? *keys : KeySnapshot{};
}

PadSnapshot DemoPlayer::ReadGamepad() {
  Blocking([&] { Inner().ReadGamepad(); });
  const PadSnapshot* pad = Next(demo_.gamepad, gamepad_);
  return pad != nullptr ? *pad : PadSnapshot{};
}

bool DemoPlayer::EscapeDown() {
  const bool real = Inner().EscapeDown();
  const bool* recorded = Next(demo_.escape, escape_);
  return real || (recorded != nullptr && *recorded);
}

HostEvent DemoPlayer::PollEvent() {
  const HostEvent real = Inner().PollEvent();
  return QuitDue() ? HostEvent::Quit : real;
}

bool DemoPlayer::QuitRequested() {
  const bool real = Inner().QuitRequested();
  return QuitDue() || real;
}
