// The game's sense of time: the millisecond counter, sleeps and the frame
// clock that paces the main loop and the pauses of the shop and the battle.
#pragma once

#include <cstdint>

// The millisecond counter (unsigned, wraps after 2^32 ms).
std::uint32_t GetTickCount();
// Lets ms milliseconds pass without using the processor.
void Sleep(std::uint32_t ms);

// Tick taken at the start of the current frame.
extern std::uint32_t frameStartTick;
// Stores the current tick in frameStartTick and returns it.
std::uint32_t MarkFrameStart();
// Waits until at least ms have passed since frameStartTick (wrap-safe) and
// returns the last tick read. Sleeps rather than spinning.
std::uint32_t WaitSinceFrameStart(std::uint32_t ms);
