// One line of a script: the text (after its leading blanks) goes into
// lineBuffer and is shown in the message box.
#pragma once

#include <cstdint>

// With no text the empty lineBuffer is shown: as line 1 that opens an empty
// box, as line 3 it only waits for the player.
void SayLine(int line, std::uint32_t colour, int blanks = 0, const char* text = nullptr);
