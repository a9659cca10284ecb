#include "platform/clock.h"

#include "platform/host_link.h"

std::uint32_t frameStartTick = 0;

std::uint32_t GetTickCount() {
  return CurrentHost().Ticks();
}

void Sleep(std::uint32_t ms) {
  CurrentHost().Sleep(ms);
}

std::uint32_t MarkFrameStart() {
  frameStartTick = GetTickCount();
  return frameStartTick;
}

std::uint32_t WaitSinceFrameStart(std::uint32_t ms) {
  // The host sleeps for the rest of the time instead of polling the counter.
  return CurrentHost().WaitUntil(frameStartTick, ms);
}
