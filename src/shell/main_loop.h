// The main loop: the message pump and the per-frame dispatch over GameState.
#pragma once

#include <cstdint>

// 1 while the window is shown and not minimised; frames run only then.
extern std::int32_t windowActive;

// Starts the game up and plays it to its end; every way out shuts down in
// order and ends the trace with the quit. Returns the exit code: 0 after a
// quit, 1 when a picture is missing (the game never plays without one).
int PlayGame();
// Pumps host events and runs frames until the game quits; then shuts down.
// Returns the exit code.
int RunGame();
// One frame of the game.
int RunFrame();
