// The main loop: the message pump and the per-frame dispatch over GameState.
#pragma once

// Pumps host events and runs frames until the game quits; then shuts down.
// Returns the exit code.
int RunGame();
// One frame of the game.
int RunFrame();
