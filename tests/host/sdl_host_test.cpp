// The SDL host on SDL's dummy video and audio drivers: pacing and waits that
// sleep, the visible picture, quitting, window events and keys, sound and
// controller hot-plugging.
#include "host/sdl_host.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/bmp_file.h"
#include "support/scratch_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}
double Since(Clock::time_point t) {
  return std::chrono::duration<double>(Clock::now() - t).count();
}

// 0xRRGGBB of a pixel of the window's own surface (32-bit on the dummy
// driver): what the window shows.
std::uint32_t WindowPixel(int x, int y) {
  SDL_Window* window = nullptr;
  for (Uint32 id = 1; window == nullptr && id < 1000; ++id) window = SDL_GetWindowFromID(id);
  SDL_Surface* s = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
  if (s == nullptr || x >= s->w || y >= s->h) return 0xDEADBEEF;
  Uint32 v = 0;
  std::memcpy(&v, static_cast<std::uint8_t*>(s->pixels) + y * s->pitch + x * 4, 4);
  Uint8 r, g, b;
  SDL_GetRGB(v, s->format, &r, &g, &b);
  return Uint32{r} << 16 | Uint32{g} << 8 | b;
}

// Puts one key or window event in SDL's queue.
void Push(Uint32 type, int code, Uint16 mod = KMOD_NONE) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.scancode = static_cast<SDL_Scancode>(code);
  e.key.keysym.mod = mod;
  if (type == SDL_WINDOWEVENT) e.window.event = static_cast<Uint8>(code);
  SDL_PushEvent(&e);
}

class SdlHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No real window and no real sound card, whatever the machine has.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Open();
  }
  void Open(int scale = 0, bool mute = false) {
    host_.reset();
    std::string error;
    SdlHostOptions options;
    options.scale = scale;
    options.mute = mute;
    host_ = SdlHost::Open(options, &error);
    ASSERT_TRUE(host_) << error;
  }
  // A whole picture of one 15-bit colour.
  ScreenView Fill(std::uint16_t colour) {
    picture_.assign(640 * 480, colour);
    return {picture_.data(), 640, 480};
  }
  void Key(int key, Uint16 mod = KMOD_NONE) {
    Push(SDL_KEYDOWN, key, mod);
    host_->Sleep(1);
  }
  std::vector<std::uint16_t> picture_;
  std::unique_ptr<SdlHost> host_;
};

TEST_F(SdlHostTest, WaitsSleepAndTheVisiblePictureShowsAtTheNextWaitOrRead) {
  host_->Present(Fill(0x001F));  // lines up with the 60 Hz grid
  EXPECT_EQ(WindowPixel(320, 240), 0x0000FFu);
  auto wall0 = Clock::now();
  double cpu0 = CpuSeconds();
  for (int i = 0; i < 30; ++i) host_->Present(Fill(0x001F));
  const double wall = Since(wall0);
  EXPECT_TRUE(wall >= 0.49 && wall < 0.8) << wall;  // 30 slots of 1/60 s
  EXPECT_LT(CpuSeconds() - cpu0, 0.5 * wall) << "the pacing burns the processor";

  // Keyboard polling waits for the next millisecond.
  const std::uint32_t t0 = host_->Ticks();
  cpu0 = CpuSeconds();
  for (int i = 0; i < 101; ++i) host_->ReadKeyboard();
  EXPECT_GE(host_->Ticks() - t0, 100u);
  EXPECT_LT(CpuSeconds() - cpu0, 0.08) << "a polling loop spins";

  // A start 10 ms back wraps below zero right after start-up.
  const std::uint32_t start = host_->Ticks() - 10;
  const std::uint32_t woke = host_->WaitUntil(start, 40);
  EXPECT_TRUE(woke - start >= 40 && woke - start < 200) << woke - start;
  wall0 = Clock::now();
  host_->WaitUntil(start, 5);  // already passed: at once
  EXPECT_LT(Since(wall0), 0.02);

  // Presenting copied the picture: drawing on it shows only when told, and
  // then at the next wait or read, not before.
  Fill(0x03E0);
  host_->Sleep(20);
  EXPECT_EQ(WindowPixel(320, 240), 0x0000FFu);
  host_->VisibleChanged(Fill(0x7C00));
  EXPECT_EQ(WindowPixel(320, 240), 0x0000FFu) << "shown before any wait or read";
  host_->Sleep(20);
  EXPECT_EQ(WindowPixel(320, 240), 0xFF0000u);

  // Polling still devices (as the message box does) waits a few ms per read
  // once they count as still, yet a picture drawn meanwhile shows at once.
  const auto t1 = Clock::now();
  int rounds = 0;
  for (; Since(t1) < 0.1; ++rounds) {
    host_->ReadGamepad();
    host_->ReadKeyboard();
  }
  EXPECT_TRUE(rounds >= 8 && rounds < 50) << rounds;
  host_->VisibleChanged(Fill(0x7FFF));
  const auto t2 = Clock::now();
  while (WindowPixel(320, 240) != 0xFFFFFFu && Since(t2) < 1) {
    host_->ReadGamepad();
    host_->ReadKeyboard();
  }
  EXPECT_LT(Since(t2), 0.03) << "the idle wait held back a refresh";
}

TEST_F(SdlHostTest, StartsActivatedMinimisesAndQuitUnwindsEveryBlockingCall) {
  EXPECT_EQ(host_->PollEvent(), HostEvent::Activated);
  EXPECT_EQ(host_->PollEvent(), HostEvent::None);
  EXPECT_FALSE(host_->QuitRequested() || host_->EscapeDown() || host_->ReadGamepad().attached);
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_MINIMIZED);
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_MINIMIZED);   // told twice, reported once
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST);  // changes nothing
  EXPECT_EQ(host_->PollEvent(), HostEvent::Minimised);
  EXPECT_EQ(host_->PollEvent(), HostEvent::None);
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_RESTORED);
  host_->WaitForEvent();
  EXPECT_EQ(host_->PollEvent(), HostEvent::Activated);

  for (const bool signal : {true, false}) {
    SCOPED_TRACE(signal ? "SIGTERM" : "window closed");
    signal ? (void)std::raise(SIGTERM) : Push(SDL_QUIT, 0);
    const auto t = Clock::now();
    EXPECT_THROW(host_->Sleep(5000), QuitRequest);
    EXPECT_LT(Since(t), 0.5);
    EXPECT_TRUE(host_->QuitRequested());
    EXPECT_NO_THROW(host_->EscapeDown());
    EXPECT_THROW(host_->WaitUntil(host_->Ticks(), 5000), QuitRequest);
    EXPECT_THROW(host_->ReadKeyboard(), QuitRequest);
    EXPECT_THROW(host_->ReadGamepad(), QuitRequest);
    EXPECT_THROW(host_->Present(Fill(0)), QuitRequest);
    EXPECT_EQ(host_->PollEvent(), HostEvent::Quit);
    EXPECT_THROW(host_->WaitForEvent(), QuitRequest);
    Open();
    EXPECT_EQ(host_->PollEvent(), HostEvent::Activated);
  }
  // The game's own quit is an event, not an unwind.
  host_->PostQuit();
  EXPECT_NO_THROW(host_->Sleep(1));
  EXPECT_FALSE(host_->QuitRequested());
  EXPECT_EQ(host_->PollEvent(), HostEvent::Quit);
}

// At scale 3 the window's surface shows every picture pixel as a 3 x 3
// block; F12 saves what is shown; Alt+Enter goes full screen on the dummy
// 1024 x 768 desktop, where the picture sits at scale 1, centred in black.
TEST_F(SdlHostTest, ScaledPictureF12ScreenshotsAndAltEnterLetterboxes) {
  Open(3);
  EXPECT_EQ(host_->Scale(), 3);
  Fill(0x7C00);
  picture_[0] = 0x001F;              // top left: blue
  picture_[640 * 480 - 1] = 0x03E0;  // bottom right: green
  host_->Present({picture_.data(), 640, 480});
  const std::pair<int, std::uint32_t> windowed[] = {
      {2, 0x0000FF}, {3, 0xFF0000}, {1916, 0xFF0000}, {1917, 0x00FF00}, {1919, 0x00FF00}};
  for (const auto& [x, rgb] : windowed) EXPECT_EQ(WindowPixel(x, x * 3 / 4), rgb) << x;

  {
    ScratchDir dir("pq_shots");
    testing::internal::CaptureStdout();
    Key(SDL_SCANCODE_F12);
    Key(SDL_SCANCODE_F12);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "pimquest-001.bmp\npimquest-002.bmp\n");
    const std::string file = ReadFile("pimquest-001.bmp");
    std::string error;
    const auto shot = DecodeBmp(std::vector<std::uint8_t>(file.begin(), file.end()), &error);
    ASSERT_TRUE(shot) << error;
    EXPECT_EQ(shot->rgb[0], 0x0000FFu);
    EXPECT_EQ(shot->rgb[240 * 640 + 320], 0xFF0000u);
  }

  ASSERT_FALSE(host_->Fullscreen());
  Key(SDL_SCANCODE_RETURN, KMOD_LALT);
  EXPECT_TRUE(host_->Fullscreen());
  EXPECT_EQ(host_->Scale(), 1);
  const std::tuple<int, int, std::uint32_t> full[] = {{191, 143, 0},
                                                      {192, 144, 0x0000FF},
                                                      {193, 144, 0xFF0000},
                                                      {831, 623, 0x00FF00},
                                                      {1023, 767, 0}};
  for (const auto& [x, y, rgb] : full) EXPECT_EQ(WindowPixel(x, y), rgb) << x << "," << y;
  Key(SDL_SCANCODE_RETURN);  // Enter alone is just a key
  EXPECT_TRUE(host_->Fullscreen());
  Key(SDL_SCANCODE_RETURN, KMOD_RALT);
  EXPECT_FALSE(host_->Fullscreen());
  EXPECT_EQ(host_->Scale(), 3);
  EXPECT_EQ(WindowPixel(1919, 1439), 0x00FF00u);
}

TEST_F(SdlHostTest, AudioPullsAtItsOwnRateUntilClosedAndIsSilentWithoutADevice) {
  struct Counting : AudioSource {
    void Render(std::int16_t* out, std::size_t count) override {
      if (out != nullptr) std::fill(out, out + count, std::int16_t{0});
      samples += count;
    }
    std::atomic<std::size_t> samples{0};
  } source, silent;
  ASSERT_TRUE(host_->OpenAudio(source));
  host_->Sleep(400);
  // 400 ms at 11025 Hz is 4410 samples, plus what the device buffers ahead.
  EXPECT_TRUE(source.samples > 2000 && source.samples < 11000) << source.samples;
  host_->CloseAudio();
  const std::size_t closed = source.samples;
  host_->Sleep(100);
  EXPECT_EQ(source.samples, closed) << "pulled after CloseAudio";

  Open(0, /*mute=*/true);
  EXPECT_FALSE(host_->OpenAudio(silent));
  host_.reset();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  Open();
  EXPECT_FALSE(host_->OpenAudio(silent));
  host_->Sleep(50);
  EXPECT_EQ(silent.samples, 0u);
}

TEST_F(SdlHostTest, ControllerPlugAndUnplugMidGame) {
  auto plug = [] {
    return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                     SDL_CONTROLLER_BUTTON_MAX, 0);
  };
  const int index = plug();
  ASSERT_GE(index, 0) << SDL_GetError();
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, -32768);
  host_->Sleep(1);
  PadSnapshot pad = host_->ReadGamepad();
  EXPECT_TRUE(pad.attached && pad.buttons[1]);
  EXPECT_FALSE(pad.buttons[0] || pad.buttons[2]);
  EXPECT_EQ(pad.x, -32768);
  SDL_JoystickClose(stick);
  SDL_JoystickDetachVirtual(index);
  host_->Sleep(1);
  pad = host_->ReadGamepad();
  EXPECT_FALSE(pad.attached || pad.buttons[1]);
  ASSERT_GE(plug(), 0);
  host_->Sleep(1);
  EXPECT_TRUE(host_->ReadGamepad().attached);
}

}  // namespace
