#include "host/sdl_host.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

#include "host/bmp_writer.h"
#include "host/key_map.h"
#include "host/quit_signal.h"
#include "host/sdl_audio.h"
#include "host/sdl_controller.h"
#include "host/sdl_pacer.h"
#include "host/sdl_window.h"

namespace {

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

struct SdlHost::Impl final : PacedHost {
  SdlSession session;  // first: destroyed last
  SdlHostOptions options;
  SdlWindow window;
  SdlController controller;
  SdlAudio audio;
  SdlPacer pacer{*this};

  std::vector<std::uint16_t> shown = std::vector<std::uint16_t>(kScreenPixels, 0);
  ReadGate keyGate;
  ReadGate padGate;
  KeySnapshot lastKeys{};
  PadSnapshot lastPad{};

  std::deque<HostEvent> events;
  bool minimised = false;
  bool quit = false;
  bool saidSilent = false;  // "no sound device" is said once

  ~Impl() {
    audio.Close();
    // A signal that closed this host has been honoured.
    ForgetQuitSignal();
  }

  // PacedHost
  void TakeEvents() override;
  void CheckQuit() override {
    if (quit || QuitSignalled()) throw QuitRequest{};
  }
  void ShowDrawnOn(const std::uint16_t* picture) override {
    std::copy_n(picture, kScreenPixels, shown.begin());
    ShowNow();
  }

  void Handle(const SDL_Event& e);
  void RequestQuit() {
    if (!quit) events.push_back(HostEvent::Quit);
    quit = true;
  }
  void ShowNow() { window.Show(shown.data()); }
  void TakeScreenshot() const;
};

void SdlHost::Impl::TakeEvents() {
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

void SdlHost::Impl::TakeScreenshot() const {
  std::string error;
  const std::string name =
      WriteNumberedScreenshot({shown.data(), kScreenWidth, kScreenHeight}, &error);
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
  return impl_->pacer.Ticks();
}

void SdlHost::Sleep(std::uint32_t ms) {
  impl_->pacer.Sleep(ms);
}

std::uint32_t SdlHost::WaitUntil(std::uint32_t start, std::uint32_t ms) {
  return impl_->pacer.WaitUntil(start, ms);
}

void SdlHost::Present(const ScreenView& screen) {
  Impl& s = *impl_;
  s.pacer.Pump();
  s.CheckQuit();
  if (IsWholeScreen(screen)) std::copy_n(screen.pixels, kScreenPixels, s.shown.begin());
  s.window.Draw(s.shown.data());  // scaled now, shown at the slot
  s.pacer.WaitForPresentSlot();
  // A resize while waiting drops the surface drawn on: draw on the new one.
  if (!s.window.Update()) s.ShowNow();
}

void SdlHost::VisibleChanged(const ScreenView& screen) {
  impl_->pacer.SetDrawnOn(IsWholeScreen(screen) ? screen.pixels : nullptr);
}

KeySnapshot SdlHost::ReadKeyboard() {
  Impl& s = *impl_;
  s.pacer.BeforeRead(s.keyGate);
  int count = 0;
  const std::uint8_t* state = SDL_GetKeyboardState(&count);
  const KeySnapshot keys = KeySnapshotFromScancodes(state, count);
  if (keys != s.lastKeys) s.pacer.NoteChange(s.keyGate);
  s.lastKeys = keys;
  return keys;
}

PadSnapshot SdlHost::ReadGamepad() {
  Impl& s = *impl_;
  s.pacer.BeforeRead(s.padGate);
  const PadSnapshot pad = s.controller.Read();
  if (pad != s.lastPad) s.pacer.NoteChange(s.padGate);
  s.lastPad = pad;
  return pad;
}

bool SdlHost::EscapeDown() {
  impl_->pacer.PumpUnlessFresh();
  int count = 0;
  const std::uint8_t* state = SDL_GetKeyboardState(&count);
  return state != nullptr && SDL_SCANCODE_ESCAPE < count && state[SDL_SCANCODE_ESCAPE] != 0;
}

HostEvent SdlHost::PollEvent() {
  impl_->pacer.Pump();
  if (impl_->events.empty()) return HostEvent::None;
  const HostEvent e = impl_->events.front();
  impl_->events.pop_front();
  return e;
}

void SdlHost::WaitForEvent() {
  for (;;) {
    impl_->pacer.Pump();
    if (!impl_->events.empty()) return;
    impl_->CheckQuit();
    impl_->pacer.WaitForQueue();
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
