// The window as the main loop sees it: its events one at a time, the Escape
// key and the orderly quit.
#pragma once

#include "host/host.h"

// Takes the next waiting window event without blocking; HostEvent::None when
// nothing waits.
HostEvent PeekWindowEvent();
// Blocks until a window event is waiting (while the window is minimised).
void WaitWindowEvent();
// Whether Escape is down at this very moment, whatever the keyboard record
// last read holds.
bool EscapeKeyDown();
// Queues the quit; a later PeekWindowEvent takes it.
void PostQuit();
// Whether the player asked to end the game (window closed, Ctrl+C, SIGTERM),
// for work that does not wait on the host, such as loading files.
bool QuitAsked();
