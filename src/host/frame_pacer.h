// The 60 Hz grid of real time that presents are paced on. Slot k begins
// ceil(k * 1000 / 60) ms (in nanoseconds) after the host started, so the pace
// is exactly 60 per second on average whatever the monitor does, and a late
// frame never makes later ones hurry.
#pragma once

#include <cstdint>

inline constexpr std::int64_t kSlotsPerSecond = 60;
inline constexpr std::int64_t kNanosPerSecond = 1'000'000'000;

// The slot that time `ns` (since the start) falls in.
constexpr std::int64_t SlotIndexAt(std::int64_t ns) {
  return ns < 0 ? -1 : ns * kSlotsPerSecond / kNanosPerSecond;
}

// The time at which slot `k` begins: the first nanosecond whose SlotIndexAt
// is k.
constexpr std::int64_t SlotStart(std::int64_t k) {
  return (k * kNanosPerSecond + kSlotsPerSecond - 1) / kSlotsPerSecond;
}

// The slot a present made at `ns` shows in: the next boundary after now, and
// never the slot something was last shown in.
constexpr std::int64_t NextPresentSlot(std::int64_t ns, std::int64_t lastShownSlot) {
  const std::int64_t next = SlotIndexAt(ns) + 1;
  return next > lastShownSlot ? next : lastShownSlot + 1;
}
