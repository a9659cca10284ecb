// The SDL host's sense of time: its clock, and every wait it makes. Presents
// land on the 60 Hz grid of frame_pacer.h; the waits in between sleep on
// SDL's event queue, so that a key, a controller or the window wakes them at
// once (sdl_pacer.cpp says how the waits fit together).
#pragma once

#include <chrono>
#include <cstdint>

#include "host/frame_pacer.h"

// What the pacer needs of the host it paces.
class PacedHost {
 public:
  // Handles every event waiting on SDL's queue.
  virtual void TakeEvents() = 0;
  // Throws QuitRequest once a quit has been asked for.
  virtual void CheckQuit() = 0;
  // Puts `picture`, drawn on since it was last shown, on the window now.
  virtual void ShowDrawnOn(const std::uint16_t* picture) = 0;

 protected:
  ~PacedHost() = default;
};

class SdlPacer {
 public:
  explicit SdlPacer(PacedHost& host);

  // Nanoseconds since the host started, and the millisecond counter.
  std::int64_t NowNs() const;
  std::uint32_t Ticks() const { return static_cast<std::uint32_t>(NowNs() / 1'000'000); }

  // Takes the events now, or only when the last look is a while ago.
  void Pump();
  void PumpUnlessFresh();

  // The Host calls that wait: see host/host.h.
  void Sleep(std::uint32_t ms) { WaitNs(NowNs() + static_cast<std::int64_t>(ms) * 1'000'000); }
  std::uint32_t WaitUntil(std::uint32_t start, std::uint32_t ms);
  // Waits for the slot a present made now shows in.
  void WaitForPresentSlot();
  // Before a read of the device behind `gate`; NoteChange after a read that
  // returned something new.
  void BeforeRead(ReadGate& gate);
  void NoteChange(ReadGate& gate) const { gate.changedAtNs = NowNs(); }
  // Waits on the event queue for the longest single wait; false when the
  // time ran out with nothing queued.
  bool WaitForQueue();

  // The visible picture was drawn on (null: withdrawn); it is shown at the
  // next wait or read once the next slot has begun.
  void SetDrawnOn(const std::uint16_t* picture) { pendingVisible_ = picture; }

 private:
  void WaitNs(std::int64_t deadline);
  bool WaitAMoment(std::int64_t ms);
  void RefreshVisibleIfDue();

  PacedHost& host_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::int64_t lastShownSlot_ = -1;
  const std::uint16_t* pendingVisible_ = nullptr;  // drawn on, not yet shown
  std::int64_t lastPumpNs_;                        // when the events were last taken
};
