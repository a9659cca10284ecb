// Every test starts from the state the process starts in, whatever the tests
// before it in the same process did: the random draw at its first value, no
// host, no trace, no devices, and (in the game's suites) a game not begun.
#pragma once

// The platform's own values: the draw, the controls, the frame clock, the
// trace, the sound table, the host and the data folders.
void ResetPlatformState();
// The game's values on top: state, hero, monsters, figures, scenes, battle,
// the text line and the pictures and sounds (released).
void ResetGameState();
