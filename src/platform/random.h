// The game's only source of chance: a linear congruential draw whose state
// starts at 1 with the process and is never reseeded, so every run of the
// game draws the same sequence (41, 18467, 6334, 26500, 19169, ...).
#pragma once

#include <cstdint>

// The next draw, 0 to 32767.
int Rand();
// Sets the draw's state (1 at process start); tests use it to replay a fight.
void SetRandState(std::uint32_t state);
std::uint32_t RandState();
