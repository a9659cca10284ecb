#include "host/sdl_pacer.h"

#include <SDL.h>

#include <algorithm>
#include <thread>

#include "host/frame_pacer.h"

namespace {

// How the waits fit together. Every wait is on SDL's event queue, so that a
// key, a controller or the window wakes it at once; presents land on the
// 60 Hz grid of frame_pacer.h (one slot every 16.7 ms).
//  - No single wait on the queue lasts longer than kLongestWaitMs, so a
//    signal, which does not wake the queue, is seen within that time (a
//    quit is due within 200 ms, shutdown included).
//  - A wait on the queue oversleeps by a millisecond or so; the last
//    kFinalApproachNs before a deadline (a present's slot) are slept on the
//    clock instead, exact to microseconds. It must stay above that oversleep
//    and well below a slot.
//  - A device read polled again within the same millisecond waits for the
//    next one; once the reads have returned the same thing for idleAfterNs
//    (about one slot: a frame with nothing held), it waits up to idleWaitMs
//    instead, so that a menu waiting for a key costs next to nothing. That
//    wait is cut short at the next slot when the picture was drawn on, so
//    it never delays what the player sees; it stays below kLongestWaitMs.
//  - Reads closer together than kPumpEveryNs share one look at SDL's queue:
//    a look costs more than a read, and a millisecond is the game's grain.
constexpr std::int64_t kLongestWaitMs = 10;
constexpr std::int64_t kFinalApproachNs = 2'000'000;
constexpr RepeatedReadWait kRepeatedRead{.idleAfterNs = 16'000'000, .idleWaitMs = 8};
constexpr std::int64_t kPumpEveryNs = 1'000'000;
static_assert(kRepeatedRead.idleWaitMs <= kLongestWaitMs && kFinalApproachNs < SlotStart(1));

}  // namespace

SdlPacer::SdlPacer(PacedHost& host) : host_(host), lastPumpNs_(-kPumpEveryNs) {}

std::int64_t SdlPacer::NowNs() const {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                              start_)
      .count();
}

void SdlPacer::Pump() {
  lastPumpNs_ = NowNs();
  host_.TakeEvents();
}

void SdlPacer::PumpUnlessFresh() {
  if (NowNs() - lastPumpNs_ >= kPumpEveryNs) Pump();
}

bool SdlPacer::WaitAMoment(std::int64_t ms) {
  return SDL_WaitEventTimeout(
             nullptr, static_cast<int>(std::clamp<std::int64_t>(ms, 1, kLongestWaitMs))) != 0;
}

bool SdlPacer::WaitForQueue() {
  return WaitAMoment(kLongestWaitMs);
}

// Sleeps until `deadline` (ns since start), keeping the window alive and
// showing the visible picture when it was drawn on.
void SdlPacer::WaitNs(std::int64_t deadline) {
  for (;;) {
    Pump();
    host_.CheckQuit();
    RefreshVisibleIfDue();
    const std::int64_t now = NowNs();
    if (now >= deadline) return;
    std::int64_t until = deadline;
    if (pendingVisible_ != nullptr) until = std::min(until, SlotStart(lastShownSlot_ + 1));
    if (until - now > kFinalApproachNs) {
      WaitAMoment((until - now - kFinalApproachNs) / 1'000'000);
    } else {
      // The last stretch: a plain sleep on the clock, exact to a few
      // microseconds. Events and quits wait the two milliseconds.
      std::this_thread::sleep_until(start_ + std::chrono::nanoseconds(until));
    }
  }
}

std::uint32_t SdlPacer::WaitUntil(std::uint32_t start, std::uint32_t ms) {
  Pump();
  host_.CheckQuit();
  RefreshVisibleIfDue();
  const std::int64_t nowNs = NowNs();
  const std::uint32_t passed = static_cast<std::uint32_t>(nowNs / 1'000'000) - start;
  if (passed < ms) {
    // Sleep to the first nanosecond of the tick at which `ms` have passed.
    WaitNs((nowNs / 1'000'000 + (ms - passed)) * 1'000'000);
  }
  return Ticks();
}

void SdlPacer::WaitForPresentSlot() {
  pendingVisible_ = nullptr;  // the new picture replaces whatever was drawn
  const std::int64_t slot = NextPresentSlot(NowNs(), lastShownSlot_);
  lastShownSlot_ = slot;  // nothing else is shown before this one
  WaitNs(SlotStart(slot));
}

// Pumps unless that was just done, and lets a read polled again within the
// millisecond wait: for the next millisecond, or a little longer once the
// devices have stood still, but never past a due refresh of the picture.
void SdlPacer::BeforeRead(ReadGate& gate) {
  PumpUnlessFresh();
  if (gate.readBefore && Ticks() == gate.lastRead) {
    const std::int64_t ms = RepeatedReadWaitMs(kRepeatedRead, gate, NowNs(),
                                               pendingVisible_ != nullptr, lastShownSlot_);
    // SDL looked at its queue as the wait began; with nothing queued since,
    // there is nothing to take.
    if (WaitAMoment(ms)) Pump();
  }
  host_.CheckQuit();
  RefreshVisibleIfDue();
  gate.readBefore = true;
  gate.lastRead = Ticks();
}

void SdlPacer::RefreshVisibleIfDue() {
  if (pendingVisible_ == nullptr) return;
  const std::int64_t slot = SlotIndexAt(NowNs());
  if (slot <= lastShownSlot_) return;  // once per refresh is enough
  host_.ShowDrawnOn(pendingVisible_);
  pendingVisible_ = nullptr;
  lastShownSlot_ = slot;
}
