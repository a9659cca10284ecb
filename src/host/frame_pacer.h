// The 60 Hz grid of real time that presents are paced on. Slot k begins
// ceil(k * 1000 / 60) ms (in nanoseconds) after the host started, so the pace
// is exactly 60 per second on average whatever the monitor does, and a late
// frame never makes later ones hurry.
#pragma once

#include <algorithm>
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

// The polling of one input device.
struct ReadGate {
  std::uint32_t lastRead = 0;
  bool readBefore = false;
  std::int64_t changedAtNs = 0;  // when a read last returned something new
};

// How a host waits when a device is polled again within the same millisecond.
struct RepeatedReadWait {
  std::int64_t idleAfterNs;  // reads that returned the same thing this long...
  std::int64_t idleWaitMs;   // ...wait this long instead of one millisecond
};

// The wait (ms) of such a read at `ns`: one millisecond, or the idle wait
// once the device has stood still; when a picture drawn on waits to be shown
// (`pictureDue`), never past the slot after `lastShownSlot`.
constexpr std::int64_t RepeatedReadWaitMs(const RepeatedReadWait& wait, const ReadGate& gate,
                                          std::int64_t ns, bool pictureDue,
                                          std::int64_t lastShownSlot) {
  std::int64_t ms = ns - gate.changedAtNs >= wait.idleAfterNs ? wait.idleWaitMs : 1;
  if (pictureDue) ms = std::min(ms, (SlotStart(lastShownSlot + 1) - ns + 999'999) / 1'000'000);
  return ms;
}
