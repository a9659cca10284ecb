#include "host/sdl_host.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <thread>
#include <vector>

#include "host/bmp_writer.h"
#include "host/frame_pacer.h"
#include "host/key_map.h"
#include "host/quit_signal.h"
#include "host/sdl_audio.h"
#include "host/sdl_controller.h"
#include "host/sdl_window.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr std::size_t kPixels = static_cast<std::size_t>(kWidth) * kHeight;

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
//    next one; once the reads have returned the same thing for kIdleAfterNs
//    (about one slot: a frame with nothing held), it waits up to kIdleWaitMs
//    instead, so that a menu waiting for a key costs next to nothing. That
//    wait is cut short at the next slot when the picture was drawn on, so
//    it never delays what the player sees; it stays below kLongestWaitMs.
//  - Reads closer together than kPumpEveryNs share one look at SDL's queue:
//    a look costs more than a read, and a millisecond is the game's grain.
constexpr std::int64_t kLongestWaitMs = 10;
constexpr std::int64_t kFinalApproachNs = 2'000'000;
constexpr std::int64_t kIdleAfterNs = 16'000'000;
constexpr std::int64_t kIdleWaitMs = 8;
constexpr std::int64_t kPumpEveryNs = 1'000'000;
static_assert(kIdleWaitMs <= kLongestWaitMs && kFinalApproachNs < SlotStart(1));

bool ValidView(const ScreenView& v) {
  return v.pixels != nullptr && v.width == kWidth && v.height == kHeight;
}

// Polling state of one input device.
struct ReadGate {
  std::uint32_t lastRead = 0;
  bool readBefore = false;
  std::int64_t changedAtNs = 0;  // when a read last returned something new
};

// SDL's own lifetime: ends after every window and device below it.
struct SdlSession {
  SdlSession() = default;
  SdlSession(const SdlSession&) = delete;
  SdlSession& operator=(const SdlSession&) = delete;
  ~SdlSession() { SDL_Quit(); }
};

// Video drivers that show nothing to a person.
bool Unseen(const char* driver) {
  return driver != nullptr &&
         (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

}  // namespace

struct SdlHost::Impl {
  SdlSession session;  // first: destroyed last
  SdlHostOptions options;
  SdlWindow window;
  SdlController controller;
  SdlAudio audio;

  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  std::vector<std::uint16_t> shown = std::vector<std::uint16_t>(kPixels, 0);
  std::int64_t lastShownSlot = -1;
  const std::uint16_t* pendingVisible = nullptr;  // drawn on, not yet shown
  ReadGate keyGate;
  ReadGate padGate;
  KeySnapshot lastKeys{};
  PadSnapshot lastPad{};
  std::int64_t lastPumpNs = -kPumpEveryNs;

  std::deque<HostEvent> events;
  bool minimised = false;
  bool quit = false;
  bool saidSilent = false;  // "no sound device" is said once

  ~Impl() {
    audio.Close();
    // A signal that closed this host has been honoured.
    ForgetQuitSignal();
  }
  std::int64_t NowNs() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                                start)
        .count();
  }
  std::uint32_t Ticks() const { return static_cast<std::uint32_t>(NowNs() / 1'000'000); }

  void Pump();
  void PumpUnlessFresh() {
    if (NowNs() - lastPumpNs >= kPumpEveryNs) Pump();
  }
  void Handle(const SDL_Event& e);
  void RequestQuit() {
    if (!quit) events.push_back(HostEvent::Quit);
    quit = true;
  }
  void CheckQuit() const {
    if (quit || QuitSignalled()) throw QuitRequest{};
  }
  void WaitNs(std::int64_t deadline);
  // Waits on the event queue; false when the time ran out with none queued.
  bool WaitAMoment(std::int64_t ms) {
    return SDL_WaitEventTimeout(
               nullptr, static_cast<int>(std::clamp<std::int64_t>(ms, 1, kLongestWaitMs))) != 0;
  }
  void BeforeRead(ReadGate& gate);
  void ShowNow() { window.Show(shown.data()); }
  void RefreshVisibleIfDue();
  void TakeScreenshot() const;
};

void SdlHost::Impl::Pump() {
  lastPumpNs = NowNs();
  SDL_Event e;
  while (SDL_PollEvent(&e) != 0) Handle(e);
  if (QuitSignalled()) RequestQuit();
}

void SdlHost::Impl::Handle(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:
      RequestQuit();
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          RequestQuit();
          break;
        case SDL_WINDOWEVENT_MINIMIZED:
          if (!minimised) events.push_back(HostEvent::Minimised);
          minimised = true;
          break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SHOWN:
          if (minimised) events.push_back(HostEvent::Activated);
          minimised = false;
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          // A new size drops the old surface; drawing fetches the new one.
          ShowNow();
          break;
        default:
          break;
      }
      break;
    case SDL_KEYDOWN:
      if (e.key.repeat != 0) break;
      if ((e.key.keysym.scancode == SDL_SCANCODE_RETURN ||
           e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER) &&
          (e.key.keysym.mod & KMOD_ALT) != 0) {
        window.SetFullscreen(!window.Fullscreen(), shown.data());
      } else if (e.key.keysym.scancode == SDL_SCANCODE_F12) {
        TakeScreenshot();
      }
      break;
    default:
      controller.Handle(e);
      break;
  }
}

// Sleeps until `deadline` (ns since start), keeping the window alive and
// showing the visible picture when it was drawn on.
void SdlHost::Impl::WaitNs(std::int64_t deadline) {
  for (;;) {
    Pump();
    CheckQuit();
    RefreshVisibleIfDue();
    const std::int64_t now = NowNs();
    if (now >= deadline) return;
    std::int64_t until = deadline;
    if (pendingVisible != nullptr) until = std::min(until, SlotStart(lastShownSlot + 1));
    if (until - now > kFinalApproachNs) {
      WaitAMoment((until - now - kFinalApproachNs) / 1'000'000);
    } else {
      // The last stretch: a plain sleep on the clock, exact to a few
      // microseconds. Events and quits wait the two milliseconds.
      std::this_thread::sleep_until(start + std::chrono::nanoseconds(until));
    }
  }
}

// Pumps unless that was just done, and lets a read polled again within the
// millisecond wait: for the next millisecond, or a little longer once the
// devices have stood still, but never past a due refresh of the picture.
void SdlHost::Impl::BeforeRead(ReadGate& gate) {
  PumpUnlessFresh();
  if (gate.readBefore && Ticks() == gate.lastRead) {
    const std::int64_t now = NowNs();
    std::int64_t ms = now - gate.changedAtNs >= kIdleAfterNs ? kIdleWaitMs : 1;
    if (pendingVisible != nullptr) {
      ms = std::min(ms, (SlotStart(lastShownSlot + 1) - now + 999'999) / 1'000'000);
    }
    // SDL looked at its queue as the wait began; with nothing queued since,
    // there is nothing to take.
    if (WaitAMoment(ms)) Pump();
  }
  CheckQuit();
  RefreshVisibleIfDue();
  gate.readBefore = true;
  gate.lastRead = Ticks();
}

void SdlHost::Impl::RefreshVisibleIfDue() {
  if (pendingVisible == nullptr) return;
  const std::int64_t slot = SlotIndexAt(NowNs());
  if (slot <= lastShownSlot) return;  // once per refresh is enough
  std::copy_n(pendingVisible, kPixels, shown.begin());
  pendingVisible = nullptr;
  ShowNow();
  lastShownSlot = slot;
}

void SdlHost::Impl::TakeScreenshot() const {
  std::string error;
  const std::string name = WriteNumberedScreenshot({shown.data(), kWidth, kHeight}, &error);
  if (name.empty()) {
    std::fprintf(stderr, "pimquest: %s\n", error.c_str());
  } else {
    std::printf("%s\n", name.c_str());
    std::fflush(stdout);
  }
}

std::unique_ptr<SdlHost> SdlHost::Open(const SdlHostOptions& options, std::string* error) {
  auto fail = [&](const std::string& what) -> std::unique_ptr<SdlHost> {
    if (error != nullptr) *error = what;
    return nullptr;
  };
  // Ctrl+C and SIGTERM are ours (the entry point caught them first), so
  // that any blocking call can unwind at once.
  CatchQuitSignals();
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The window's surface is plain memory that we scale into ourselves. Left
  // alone, SDL would put it on an OpenGL texture, which without a graphics
  // card is a software emulation: slow to start, large, slow per frame.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");

  auto impl = std::make_unique<Impl>();
  impl->options = options;
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    return fail(std::string("no display: ") + SDL_GetError());
  }
  // Without a display server SDL falls back on a driver that draws into
  // memory: the game would run where nobody sees it. Only on request.
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  if (Unseen(SDL_GetCurrentVideoDriver()) && (asked == nullptr || *asked == '\0')) {
    const char* display = std::getenv("DISPLAY");
    return fail(std::string("no display: ") +
                (display == nullptr || *display == '\0'
                     ? "DISPLAY is not set"
                     : "cannot reach the display " + std::string(display)) +
                " (SDL_VIDEODRIVER=offscreen plays unseen)");
  }
  // Without controller support the game is played with the keyboard alone.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  if (!impl->window.Open(options.scale, options.iconPath, error)) return nullptr;
  if (options.fullscreen) impl->window.SetFullscreen(true, impl->shown.data());
  impl->ShowNow();
  impl->controller.OpenFirst();
  impl->events.push_back(HostEvent::Activated);
  return std::unique_ptr<SdlHost>(new SdlHost(std::move(impl)));
}

SdlHost::SdlHost(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SdlHost::~SdlHost() = default;

int SdlHost::Scale() const {
  return impl_->window.Scale();
}
bool SdlHost::Fullscreen() const {
  return impl_->window.Fullscreen();
}
void SdlHost::SetFullscreen(bool on) {
  impl_->window.SetFullscreen(on, impl_->shown.data());
}

std::uint32_t SdlHost::Ticks() {
  return impl_->Ticks();
}

void SdlHost::Sleep(std::uint32_t ms) {
  impl_->WaitNs(impl_->NowNs() + static_cast<std::int64_t>(ms) * 1'000'000);
}

std::uint32_t SdlHost::WaitUntil(std::uint32_t start, std::uint32_t ms) {
  Impl& s = *impl_;
  s.Pump();
  s.CheckQuit();
  s.RefreshVisibleIfDue();
  const std::int64_t nowNs = s.NowNs();
  const std::uint32_t passed = static_cast<std::uint32_t>(nowNs / 1'000'000) - start;
  if (passed < ms) {
    // Sleep to the first nanosecond of the tick at which `ms` have passed.
    s.WaitNs((nowNs / 1'000'000 + (ms - passed)) * 1'000'000);
  }
  return s.Ticks();
}

void SdlHost::Present(const ScreenView& screen) {
  Impl& s = *impl_;
  s.Pump();
  s.CheckQuit();
  if (ValidView(screen)) std::copy_n(screen.pixels, kPixels, s.shown.begin());
  s.pendingVisible = nullptr;     // the new picture replaces whatever was drawn
  s.window.Draw(s.shown.data());  // scaled now, shown at the slot
  const std::int64_t slot = NextPresentSlot(s.NowNs(), s.lastShownSlot);
  s.lastShownSlot = slot;  // nothing else is shown before this one
  s.WaitNs(SlotStart(slot));
  // A resize while waiting drops the surface drawn on: draw on the new one.
  if (!s.window.Update()) s.ShowNow();
}

void SdlHost::VisibleChanged(const ScreenView& screen) {
  impl_->pendingVisible = ValidView(screen) ? screen.pixels : nullptr;
}

KeySnapshot SdlHost::ReadKeyboard() {
  Impl& s = *impl_;
  s.BeforeRead(s.keyGate);
  int count = 0;
  const std::uint8_t* state = SDL_GetKeyboardState(&count);
  const KeySnapshot keys = KeySnapshotFromScancodes(state, count);
  if (keys != s.lastKeys) s.keyGate.changedAtNs = s.NowNs();
  s.lastKeys = keys;
  return keys;
}

PadSnapshot SdlHost::ReadGamepad() {
  Impl& s = *impl_;
  s.BeforeRead(s.padGate);
  const PadSnapshot pad = s.controller.Read();
  if (pad.attached != s.lastPad.attached || pad.x != s.lastPad.x || pad.y != s.lastPad.y ||
      pad.buttons != s.lastPad.buttons) {
    s.padGate.changedAtNs = s.NowNs();
  }
  s.lastPad = pad;
  return pad;
}

bool SdlHost::EscapeDown() {
  impl_->PumpUnlessFresh();
  int count = 0;
  const std::uint8_t* state = SDL_GetKeyboardState(&count);
  return state != nullptr && SDL_SCANCODE_ESCAPE < count && state[SDL_SCANCODE_ESCAPE] != 0;
}

HostEvent SdlHost::PollEvent() {
  impl_->Pump();
  if (impl_->events.empty()) return HostEvent::None;
  const HostEvent e = impl_->events.front();
  impl_->events.pop_front();
  return e;
}

void SdlHost::WaitForEvent() {
  for (;;) {
    impl_->Pump();
    if (!impl_->events.empty()) return;
    impl_->CheckQuit();
    impl_->WaitAMoment(kLongestWaitMs);
  }
}

void SdlHost::PostQuit() {
  impl_->events.push_back(HostEvent::Quit);
}

bool SdlHost::OpenAudio(AudioSource& source) {
  CloseAudio();
  if (impl_->options.mute) return false;  // silent as asked: nothing to say
  if (impl_->audio.Open(source)) return true;
  if (!impl_->saidSilent) std::fprintf(stderr, "pimquest: no sound device; playing silent\n");
  impl_->saidSilent = true;
  return false;
}

void SdlHost::CloseAudio() {
  impl_->audio.Close();
}

bool SdlHost::QuitRequested() {
  return impl_->quit || QuitSignalled();
}
