// The host: the only door between the game and the operating system.
//
// The game and its platform services never talk to a window, a clock, an audio
// device or an input device directly; they ask the one Host that the entry
// point installed (see platform/host_link.h). Two hosts exist: SdlHost (a real
// window, real time, real sound) and HeadlessHost (a virtual clock, scripted
// input, no devices at all). A third host can be written from this header
// alone: every call below says what it promises and what it may not do.
//
// Ground rules for every implementation:
//  - All calls come from the one game thread, except AudioSource::Render,
//    which a host may call from a thread of its own.
//  - Any call that may block (Sleep, WaitUntil, ReadKeyboard, ReadGamepad,
//    Present, WaitForEvent) throws QuitRequest once the user has asked the
//    program to end (window closed, Ctrl+C, SIGTERM, a scripted end of run).
//    That exception unwinds every loop of the game back to the entry point,
//    which then shuts down in order. Ticks and the non-blocking calls never
//    throw.
//  - Waiting never spins a core: a host sleeps or blocks on its event queue.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Thrown by the blocking host calls once a quit has been requested.
struct QuitRequest {};

// The one screen size of the game.
inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;
inline constexpr std::size_t kScreenPixels = std::size_t{kScreenWidth} * kScreenHeight;

// A picture of the screen: 640 x 480 pixels of 16 bits in the 5-5-5 layout
// (bit 15 unused, then 5 bits each of red, green and blue), row by row.
struct ScreenView {
  const std::uint16_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// The place of (x, y), a point on the screen, in a screen's pixels.
constexpr std::size_t ScreenOffset(int x, int y) {
  return static_cast<std::size_t>(y * kScreenWidth + x);
}

// Whether `view` holds a whole screen's pixels: the only pictures a host
// shows (anything else is ignored).
inline bool IsWholeScreen(const ScreenView& view) {
  return view.pixels != nullptr && view.width == kScreenWidth && view.height == kScreenHeight;
}

// What the keyboard holds at one moment: one byte per key code of the game's
// key table (platform/input.h), 0x80 while the key is down, 0 otherwise.
using KeySnapshot = std::array<std::uint8_t, 256>;

// What the first game controller holds at one moment.
struct PadSnapshot {
  bool attached = false;  // false: no controller; the rest is zero
  // Stick position, -32768 (full left / full up) to 32767 (full right / down).
  std::int32_t x = 0;
  std::int32_t y = 0;
  // Game buttons 0 (status menu), 1 (confirm) and 2 (cancel) and beyond.
  std::array<bool, 32> buttons{};

  bool operator==(const PadSnapshot&) const = default;
};

// Window-level happenings that the game's message pump takes one at a time.
enum class HostEvent {
  None,       // nothing is waiting
  Activated,  // the window is shown and not minimised (frames may run)
  Minimised,  // the window was minimised (frames stop until Activated)
  Quit,       // the game asked to end (see PostQuit) or the user closed it
};

// Pulls the game's sound mix. The host calls Render whenever its output needs
// more samples, possibly from an audio thread; Render must then be safe
// against the game thread (the platform's mixer locks for that).
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  // Fills `count` signed 16-bit mono samples at kMixRate samples per second.
  // `out` may be null: the host only wants time to pass for the sounds.
  virtual void Render(std::int16_t* out, std::size_t count) = 0;
};

inline constexpr int kMixRate = 11025;

class Host {
 public:
  virtual ~Host() = default;

  // The millisecond counter: unsigned, wraps after 2^32 ms. Never goes back.
  // Real time on SdlHost, virtual time (starting at 0) on HeadlessHost.
  virtual std::uint32_t Ticks() = 0;

  // Lets `ms` milliseconds pass. Blocks without spinning; keeps the window
  // alive and shows the visible picture if it was drawn on since it was last
  // shown. Throws QuitRequest.
  virtual void Sleep(std::uint32_t ms) = 0;

  // Blocks until Ticks() - start >= ms (unsigned arithmetic, so the counter's
  // wrap does no harm). Used by the frame clock. Returns the tick it woke at.
  // Throws QuitRequest.
  virtual std::uint32_t WaitUntil(std::uint32_t start, std::uint32_t ms) = 0;

  // Shows `screen` as the new visible picture and returns after the host's
  // next display refresh slot (60 per second whatever the monitor does), so
  // that scenes presenting once a pass run at 60 Hz. Throws QuitRequest.
  virtual void Present(const ScreenView& screen) = 0;

  // The game drew on the visible picture without presenting. The host shows
  // `screen` at its next Sleep, WaitUntil or device read (at most once per
  // display refresh). The pixels stay valid until the next Present or
  // VisibleChanged; an empty view (null pixels) withdraws the picture, as the
  // display does before it frees it. Cheap; never blocks, never throws.
  virtual void VisibleChanged(const ScreenView& screen) = 0;

  // The current keyboard and controller. A read that comes within the same
  // millisecond as the previous keyboard read first waits for the next
  // millisecond or an input event, so a polling loop never burns a core (a
  // host may wait a few milliseconds longer while the devices stand still).
  // Throws QuitRequest.
  virtual KeySnapshot ReadKeyboard() = 0;
  virtual PadSnapshot ReadGamepad() = 0;

  // Whether Escape is down at this very moment (the main loop's quit key).
  // Never blocks, never throws.
  virtual bool EscapeDown() = 0;

  // Takes the next waiting window event without blocking; HostEvent::None
  // when nothing waits. The host reports Activated once at start.
  virtual HostEvent PollEvent() = 0;

  // Blocks until an event is waiting (used while the window is minimised).
  // Throws QuitRequest.
  virtual void WaitForEvent() = 0;

  // Queues a Quit event; it is taken by a later PollEvent. Nothing unwinds:
  // this is the orderly quit of the main loop, not a QuitRequest.
  virtual void PostQuit() = 0;

  // Opens the sound output, which pulls from `source` until CloseAudio.
  // Returns false when there is no sound device; the game then plays silent.
  virtual bool OpenAudio(AudioSource& source) = 0;
  // Stops pulling; after it returns, `source` is never called again.
  virtual void CloseAudio() = 0;

  // Whether a quit was requested. Never blocks, never throws.
  virtual bool QuitRequested() = 0;
};
