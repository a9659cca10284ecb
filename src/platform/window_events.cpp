#include "platform/window_events.h"

#include "platform/host_link.h"

HostEvent PeekWindowEvent() {
  return CurrentHost().PollEvent();
}

void WaitWindowEvent() {
  CurrentHost().WaitForEvent();
}

bool EscapeKeyDown() {
  return CurrentHost().EscapeDown();
}

void PostQuit() {
  CurrentHost().PostQuit();
}

bool QuitAsked() {
  return HasHost() && CurrentHost().QuitRequested();
}
