#include "host/demo_recorder.h"

// A read that throws QuitRequest returned nothing to the game, so nothing is
// recorded for it; the quit itself is, when the player asked for it, at the
// same count of calls, so that the replay stops where the game stopped.

template <typename Call>
auto DemoRecorder::Watch(Call call) {
  ++calls_;
  const std::uint32_t before = Inner().Ticks();
  try {
    return call();
  } catch (const QuitRequest&) {
    NoteQuit(Inner().Ticks() != before ? DemoQuit::Way::After : DemoQuit::Way::Before);
    throw;
  }
}

void DemoRecorder::Around(const std::function<void()>& call) {
  Watch(call);
}

void DemoRecorder::NoteQuit(DemoQuit::Way way) {
  if (quitSeen_) return;
  quitSeen_ = true;
  if (gameQuit_ || (isRunLimit_ && isRunLimit_())) return;
  writer_.SetQuit({calls_, way});
}

KeySnapshot DemoRecorder::ReadKeyboard() {
  const KeySnapshot keys = Watch([&] { return Inner().ReadKeyboard(); });
  writer_.AddKeyboard(keys);
  return NormalisedKeys(keys);
}

PadSnapshot DemoRecorder::ReadGamepad() {
  const PadSnapshot pad = Watch([&] { return Inner().ReadGamepad(); });
  writer_.AddGamepad(pad);
  return NormalisedPad(pad);
}

bool DemoRecorder::EscapeDown() {
  const bool down = Inner().EscapeDown();
  writer_.AddEscape(down);
  return down;
}

HostEvent DemoRecorder::PollEvent() {
  ++calls_;
  const HostEvent event = Inner().PollEvent();
  if (event == HostEvent::Quit) NoteQuit(DemoQuit::Way::Event);
  return event;
}

void DemoRecorder::PostQuit() {
  gameQuit_ = true;
  Inner().PostQuit();
}

bool DemoRecorder::QuitRequested() {
  ++calls_;
  const bool asked = Inner().QuitRequested();
  if (asked) NoteQuit(DemoQuit::Way::Asked);
  return asked;
}
