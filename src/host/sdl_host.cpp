#include "host/sdl_host.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <thread>
#include <vector>

#include "host/bmp_writer.h"
#include "host/frame_pacer.h"
#include "host/key_map.h"
#include "host/sdl_picture.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr std::size_t kPixels = static_cast<std::size_t>(kWidth) * kHeight;
// The longest single wait, so that a signal is noticed promptly even when the
// event queue stays quiet.
constexpr std::int64_t kLongestWaitMs = 20;
// Waits on the event queue wake up to a millisecond or so late; the last
// stretch before a deadline is slept on the clock itself instead.
constexpr std::int64_t kFinalApproachNs = 2'000'000;
// A device read polled again within the millisecond waits for the next one;
// once the devices have stood still this long it waits up to kIdleWaitMs
// instead (an input event still ends the wait at once), so that a menu
// waiting for a key costs next to nothing.
constexpr std::int64_t kIdleAfterNs = 16'000'000;
constexpr std::int64_t kIdleWaitMs = 8;
// Reads this soon after the last look at SDL's queue do not look again.
constexpr std::int64_t kPumpEveryNs = 1'000'000;
// Mix rate samples rendered per top-up of the resampler.
constexpr int kMixChunk = 128;

// Set from the signal handler; read by every call.
volatile std::sig_atomic_t quitSignalled = 0;

extern "C" void OnQuitSignal(int sig) {
  quitSignalled = 1;
  // A second Ctrl+C ends the program at once, should shutdown ever hang.
  std::signal(sig, SIG_DFL);
}

bool ValidView(const ScreenView& v) {
  return v.pixels != nullptr && v.width == kWidth && v.height == kHeight;
}

// Polling state of one input device.
struct ReadGate {
  std::uint32_t lastRead = 0;
  bool readBefore = false;
  std::int64_t changedAtNs = 0;  // when a read last returned something new
};

}  // namespace

struct SdlHost::Impl {
  SdlHostOptions options;
  SDL_Window* window = nullptr;
  PictureDrawer drawer;
  int windowScale = 1;
  bool fullscreen = false;

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

  SDL_GameController* controller = nullptr;
  SDL_JoystickID controllerId = -1;

  SDL_AudioDeviceID audioDevice = 0;
  SDL_AudioStream* audioStream = nullptr;
  AudioSource* audioSource = nullptr;
  std::uint8_t audioSilence = 0;

  struct sigaction oldInt {};
  struct sigaction oldTerm {};

  ~Impl();
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
  void CheckQuit() const {
    if (quit || quitSignalled) throw QuitRequest{};
  }
  void WaitNs(std::int64_t deadline);
  // Waits on the event queue; false when the time ran out with none queued.
  bool WaitAMoment(std::int64_t ms) {
    return SDL_WaitEventTimeout(
               nullptr, static_cast<int>(std::clamp<std::int64_t>(ms, 1, kLongestWaitMs))) != 0;
  }
  void BeforeRead(ReadGate& gate);

  // Draws `shown` into the window's surface; the caller shows it.
  void Draw() { drawer.Draw(shown.data(), SDL_GetWindowSurface(window)); }
  void ShowNow() {
    Draw();
    SDL_UpdateWindowSurface(window);
  }
  void RefreshVisibleIfDue();
  void SetFullscreen(bool on);
  void OpenFirstController();
  PadSnapshot ReadController() const;
  void CloseController();
  void TakeScreenshot() const;
  static void SDLCALL FillAudio(void* user, Uint8* out, int len);
};

SdlHost::Impl::~Impl() {
  if (audioDevice != 0) SDL_CloseAudioDevice(audioDevice);
  if (audioStream != nullptr) SDL_FreeAudioStream(audioStream);
  CloseController();
  if (window != nullptr) SDL_DestroyWindow(window);
  SDL_Quit();
  sigaction(SIGINT, &oldInt, nullptr);
  sigaction(SIGTERM, &oldTerm, nullptr);
  quitSignalled = 0;
}

void SdlHost::Impl::Pump() {
  lastPumpNs = NowNs();
  SDL_Event e;
  while (SDL_PollEvent(&e) != 0) Handle(e);
  if (quitSignalled && !quit) {
    quit = true;
    events.push_back(HostEvent::Quit);
  }
}

void SdlHost::Impl::Handle(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:
      if (!quit) events.push_back(HostEvent::Quit);
      quit = true;
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          if (!quit) events.push_back(HostEvent::Quit);
          quit = true;
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
          // A new size drops the old surface; Draw fetches the new one.
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
        SetFullscreen(!fullscreen);
      } else if (e.key.keysym.scancode == SDL_SCANCODE_F12) {
        TakeScreenshot();
      }
      break;
    case SDL_CONTROLLERDEVICEADDED:
      if (controller == nullptr) OpenFirstController();
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (controller != nullptr && e.cdevice.which == controllerId) {
        CloseController();
        OpenFirstController();
      }
      break;
    default:
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

void SdlHost::Impl::SetFullscreen(bool on) {
  if (SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
  fullscreen = on;
  if (!on) SDL_SetWindowSize(window, kWidth * windowScale, kHeight * windowScale);
  ShowNow();
}

void SdlHost::Impl::OpenFirstController() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i)) continue;
    controller = SDL_GameControllerOpen(i);
    if (controller != nullptr) {
      controllerId = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
      return;
    }
  }
}

void SdlHost::Impl::CloseController() {
  if (controller != nullptr) SDL_GameControllerClose(controller);
  controller = nullptr;
  controllerId = -1;
}

void SdlHost::Impl::TakeScreenshot() const {
  for (int n = 1; n < 10000; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "pimquest-%03d.bmp", n);
    std::error_code ec;
    if (std::filesystem::exists(name, ec)) continue;
    if (WriteScreenshot(name, ScreenView{shown.data(), kWidth, kHeight})) {
      std::printf("%s\n", name);
    } else {
      std::fprintf(stderr, "pimquest: could not write %s\n", name);
    }
    std::fflush(stdout);
    return;
  }
}

// Runs on SDL's audio thread; the game's mixer locks against the game thread.
void SDLCALL SdlHost::Impl::FillAudio(void* user, Uint8* out, int len) {
  auto* impl = static_cast<Impl*>(user);
  std::int16_t mix[kMixChunk];
  // Top the resampler up from the game's mix until it holds a whole buffer.
  for (int guard = 0; guard < 256 && SDL_AudioStreamAvailable(impl->audioStream) < len; ++guard) {
    impl->audioSource->Render(mix, kMixChunk);
    if (SDL_AudioStreamPut(impl->audioStream, mix, sizeof mix) != 0) break;
  }
  int got = SDL_AudioStreamGet(impl->audioStream, out, len);
  if (got < 0) got = 0;
  if (got < len) std::fill(out + got, out + len, impl->audioSilence);
}

std::unique_ptr<SdlHost> SdlHost::Open(const SdlHostOptions& options, std::string* error) {
  auto fail = [&](const char* what) -> std::unique_ptr<SdlHost> {
    if (error != nullptr) *error = std::string(what) + ": " + SDL_GetError();
    return nullptr;
  };
  // We handle Ctrl+C and SIGTERM ourselves, so that any blocking call can
  // unwind at once.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The window's surface is plain memory that we scale into ourselves. Left
  // alone, SDL would put it on an OpenGL texture, which without a graphics
  // card is a software emulation: slow to start, large, slow per frame.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");

  auto impl = std::make_unique<Impl>();
  impl->options = options;
  struct sigaction sa {};
  sa.sa_handler = OnQuitSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, &impl->oldInt);
  sigaction(SIGTERM, &sa, &impl->oldTerm);

  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return fail("no display");
  // Without controller support the game is played with the keyboard alone.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);

  int scale = options.scale;
  if (scale <= 0) {
    SDL_Rect usable{};
    scale = (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w >= 2 * kWidth &&
             usable.h >= 2 * kHeight)
                ? 2
                : 1;
  }
  impl->windowScale = scale;
  impl->window = SDL_CreateWindow("Pim Quest", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  kWidth * scale, kHeight * scale, SDL_WINDOW_SHOWN);
  if (impl->window == nullptr) return fail("cannot open the window");

  if (!options.iconPath.empty()) {
    if (SDL_Surface* icon = SDL_LoadBMP(options.iconPath.c_str())) {
      SDL_SetColorKey(icon, SDL_TRUE, SDL_MapRGB(icon->format, 255, 0, 255));
      SDL_SetWindowIcon(impl->window, icon);
      SDL_FreeSurface(icon);
    }
  }

  if (SDL_GetWindowSurface(impl->window) == nullptr) return fail("cannot draw in the window");

  SDL_ShowCursor(SDL_DISABLE);
  if (options.fullscreen) impl->SetFullscreen(true);
  impl->ShowNow();
  impl->OpenFirstController();
  impl->events.push_back(HostEvent::Activated);
  return std::unique_ptr<SdlHost>(new SdlHost(std::move(impl)));
}

SdlHost::SdlHost(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SdlHost::~SdlHost() = default;

int SdlHost::Scale() const {
  int w = 0;
  int h = 0;
  if (const SDL_Surface* surface = SDL_GetWindowSurface(impl_->window)) {
    w = surface->w;
    h = surface->h;
  } else {
    SDL_GetWindowSize(impl_->window, &w, &h);
  }
  return std::max(1, PlacePicture(w, h).scale);
}

bool SdlHost::Fullscreen() const {
  return impl_->fullscreen;
}
void SdlHost::SetFullscreen(bool on) {
  impl_->SetFullscreen(on);
}

bool SdlHost::SaveScreenshot(const std::string& path) const {
  return WriteScreenshot(path, ScreenView{impl_->shown.data(), kWidth, kHeight});
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
  s.pendingVisible = nullptr;  // the new picture replaces whatever was drawn
  s.Draw();                    // scaled now, shown at the slot
  const std::int64_t slot = NextPresentSlot(s.NowNs(), s.lastShownSlot);
  s.lastShownSlot = slot;  // nothing else is shown before this one
  s.WaitNs(SlotStart(slot));
  // A resize while waiting drops the surface drawn on: draw on the new one.
  if (SDL_UpdateWindowSurface(s.window) != 0) s.ShowNow();
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
  const PadSnapshot pad = s.ReadController();
  if (pad.attached != s.lastPad.attached || pad.x != s.lastPad.x || pad.y != s.lastPad.y ||
      pad.buttons != s.lastPad.buttons) {
    s.padGate.changedAtNs = s.NowNs();
  }
  s.lastPad = pad;
  return pad;
}

PadSnapshot SdlHost::Impl::ReadController() const {
  if (controller == nullptr) return PadSnapshot{};
  SDL_GameController* c = controller;
  auto button = [c](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(c, b) != 0; };
  ControllerInputs in;
  in.leftX = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
  in.leftY = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
  in.dpadUp = button(SDL_CONTROLLER_BUTTON_DPAD_UP);
  in.dpadDown = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  in.dpadLeft = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  in.dpadRight = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  in.south = button(SDL_CONTROLLER_BUTTON_A);
  in.east = button(SDL_CONTROLLER_BUTTON_B);
  in.west = button(SDL_CONTROLLER_BUTTON_X);
  in.north = button(SDL_CONTROLLER_BUTTON_Y);
  in.start = button(SDL_CONTROLLER_BUTTON_START);
  return PadFromController(in);
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
  Impl& s = *impl_;
  CloseAudio();
  if (s.options.mute) return false;
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;

  // Ask for the device's own rate and channels; SDL resamples our mix.
  SDL_AudioSpec preferred{};
  char* deviceName = nullptr;
  const bool known = SDL_GetDefaultAudioInfo(&deviceName, &preferred, 0) == 0;
  SDL_free(deviceName);
  SDL_AudioSpec want{};
  want.freq = known && preferred.freq > 0 ? preferred.freq : 48000;
  want.channels = known && preferred.channels > 0 ? preferred.channels : 2;
  want.format = AUDIO_S16SYS;
  want.samples = 1024;
  want.callback = Impl::FillAudio;
  want.userdata = &s;
  SDL_AudioSpec have{};
  s.audioSource = &source;
  s.audioDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_ANY_CHANGE);
  if (s.audioDevice == 0) {
    s.audioSource = nullptr;
    return false;
  }
  s.audioStream =
      SDL_NewAudioStream(AUDIO_S16SYS, 1, kMixRate, have.format, have.channels, have.freq);
  if (s.audioStream == nullptr) {
    SDL_CloseAudioDevice(s.audioDevice);
    s.audioDevice = 0;
    s.audioSource = nullptr;
    return false;
  }
  s.audioSilence = have.silence;
  SDL_PauseAudioDevice(s.audioDevice, 0);
  return true;
}

void SdlHost::CloseAudio() {
  Impl& s = *impl_;
  // Closing the device waits for a running callback, so the source is free
  // from here on.
  if (s.audioDevice != 0) SDL_CloseAudioDevice(s.audioDevice);
  s.audioDevice = 0;
  if (s.audioStream != nullptr) SDL_FreeAudioStream(s.audioStream);
  s.audioStream = nullptr;
  s.audioSource = nullptr;
}

bool SdlHost::QuitRequested() {
  Impl& s = *impl_;
  return s.quit || quitSignalled != 0;
}
