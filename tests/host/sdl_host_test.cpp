// The SDL host on SDL's dummy video and audio drivers: pacing, waits that do
// not spin, the visible picture, quitting, window events, screenshots, sound
// and controller hot-plugging.
#include "host/sdl_host.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "host/bmp_decoder.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

std::uint32_t RgbOf(std::uint16_t p) {
  auto widen = [](int v) { return static_cast<std::uint32_t>((v << 3) | (v >> 2)); };
  return widen((p >> 10) & 31) << 16 | widen((p >> 5) & 31) << 8 | widen(p & 31);
}

class SdlHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No real window and no real sound card, whatever the machine has.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Open({});
  }

  void Open(const SdlHostOptions& options) {
    host_.reset();
    std::string error;
    host_ = SdlHost::Open(options, &error);
    ASSERT_TRUE(host_) << error;
  }

  ScreenView View(std::vector<std::uint16_t>& pixels) { return {pixels.data(), 640, 480}; }

  // The centre pixel of what the window shows, as 0xRRGGBB.
  std::uint32_t ShownCentre() {
    const auto path = std::filesystem::temp_directory_path() /
                      ("pq_sdl_host_" + std::to_string(getpid()) + ".bmp");
    EXPECT_TRUE(host_->SaveScreenshot(path.string()));
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::filesystem::remove(path);
    std::string error;
    const auto picture = DecodeBmp(bytes, &error);
    if (!picture) return 0xDEADBEEF;
    return picture->rgb[240 * 640 + 320];
  }

  static void Push(const SDL_Event& e) {
    SDL_Event copy = e;
    SDL_PushEvent(&copy);
  }

  std::unique_ptr<SdlHost> host_;
};

TEST_F(SdlHostTest, ReportsActivatedOnceAtStart) {
  EXPECT_EQ(host_->PollEvent(), HostEvent::Activated);
  EXPECT_EQ(host_->PollEvent(), HostEvent::None);
  EXPECT_FALSE(host_->QuitRequested());
  EXPECT_FALSE(host_->EscapeDown());
  EXPECT_FALSE(host_->ReadGamepad().attached);
}

TEST_F(SdlHostTest, ScaleOptionSizesTheWindow) {
  SdlHostOptions options;
  options.scale = 3;
  Open(options);
  EXPECT_EQ(host_->Scale(), 3);
}

TEST_F(SdlHostTest, PresentsRunAtSixtyHertzWithoutSpinning) {
  std::vector<std::uint16_t> picture(640 * 480, 0x001F);
  host_->Present(View(picture));  // lines up with the grid
  const auto wall0 = Clock::now();
  const double cpu0 = CpuSeconds();
  for (int i = 0; i < 30; ++i) host_->Present(View(picture));
  const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
  const double cpu = CpuSeconds() - cpu0;
  EXPECT_GE(wall, 0.49);  // 30 slots of 1/60 s, never faster
  EXPECT_LT(wall, 1.2);
  EXPECT_LT(cpu, 0.5 * wall) << "the pacing burns the processor";
}

TEST_F(SdlHostTest, KeyboardPollingWaitsForTheNextMillisecond) {
  const std::uint32_t t0 = host_->Ticks();
  const double cpu0 = CpuSeconds();
  for (int i = 0; i < 101; ++i) host_->ReadKeyboard();
  EXPECT_GE(host_->Ticks() - t0, 100u);
  EXPECT_LT(CpuSeconds() - cpu0, 0.08) << "a polling loop spins";
}

TEST_F(SdlHostTest, WaitUntilIsWrapSafeAndSleeps) {
  const std::uint32_t now = host_->Ticks();
  // A start 10 ms back; right after start-up this wraps below zero.
  const std::uint32_t start = now - 10;
  const std::uint32_t woke = host_->WaitUntil(start, 40);
  EXPECT_GE(woke - start, 40u);
  EXPECT_LT(woke - start, 200u);
  // Already passed: returns at once.
  const auto t = Clock::now();
  host_->WaitUntil(start, 5);
  EXPECT_LT(Clock::now() - t, std::chrono::milliseconds(20));
}

TEST_F(SdlHostTest, DrawingOnTheVisiblePictureShowsAtTheNextWaitOrRead) {
  std::vector<std::uint16_t> back(640 * 480, 0x001F);   // blue
  std::vector<std::uint16_t> front(640 * 480, 0x7C00);  // red
  host_->Present(View(back));
  EXPECT_EQ(ShownCentre(), 0x0000FFu);
  // Presenting copies the picture: drawing on it afterwards shows nothing.
  back.assign(back.size(), 0x03E0);
  EXPECT_EQ(ShownCentre(), 0x0000FFu);

  host_->VisibleChanged(View(front));
  EXPECT_EQ(ShownCentre(), 0x0000FFu) << "shown before any wait or read";
  host_->Sleep(20);
  EXPECT_EQ(ShownCentre(), RgbOf(0x7C00));

  front.assign(front.size(), 0x7FFF);
  host_->VisibleChanged(View(front));
  host_->ReadKeyboard();
  host_->Sleep(20);  // at most one refresh per 1/60 s, but never lost
  EXPECT_EQ(ShownCentre(), 0xFFFFFFu);
}

TEST_F(SdlHostTest, SignalRequestsQuitAndUnwindsEveryBlockingCall) {
  EXPECT_EQ(host_->PollEvent(), HostEvent::Activated);
  std::raise(SIGTERM);
  EXPECT_TRUE(host_->QuitRequested());
  EXPECT_NO_THROW(host_->EscapeDown());
  const auto t = Clock::now();
  EXPECT_THROW(host_->Sleep(5000), QuitRequest);
  EXPECT_LT(Clock::now() - t, std::chrono::milliseconds(500));
  EXPECT_THROW(host_->WaitUntil(host_->Ticks(), 5000), QuitRequest);
  EXPECT_THROW(host_->ReadKeyboard(), QuitRequest);
  EXPECT_THROW(host_->ReadGamepad(), QuitRequest);
  std::vector<std::uint16_t> picture(640 * 480);
  EXPECT_THROW(host_->Present(View(picture)), QuitRequest);
  EXPECT_EQ(host_->PollEvent(), HostEvent::Quit);
  EXPECT_THROW(host_->WaitForEvent(), QuitRequest);
}

TEST_F(SdlHostTest, ClosingTheWindowRequestsQuit) {
  SDL_Event e{};
  e.type = SDL_QUIT;
  Push(e);
  EXPECT_THROW(host_->Sleep(100), QuitRequest);
  EXPECT_TRUE(host_->QuitRequested());
}

TEST_F(SdlHostTest, PostQuitIsAnEventNotAnUnwind) {
  host_->PostQuit();
  EXPECT_NO_THROW(host_->Sleep(1));
  EXPECT_FALSE(host_->QuitRequested());
  EXPECT_EQ(host_->PollEvent(), HostEvent::Activated);
  EXPECT_EQ(host_->PollEvent(), HostEvent::Quit);
}

TEST_F(SdlHostTest, MinimisingStopsFramesUntilRestored) {
  EXPECT_EQ(host_->PollEvent(), HostEvent::Activated);
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_MINIMIZED;
  Push(e);
  Push(e);  // told twice, reported once
  EXPECT_EQ(host_->PollEvent(), HostEvent::Minimised);
  EXPECT_EQ(host_->PollEvent(), HostEvent::None);
  // Focus loss without minimising changes nothing.
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  Push(e);
  EXPECT_EQ(host_->PollEvent(), HostEvent::None);
  e.window.event = SDL_WINDOWEVENT_RESTORED;
  Push(e);
  host_->WaitForEvent();
  EXPECT_EQ(host_->PollEvent(), HostEvent::Activated);
}

TEST_F(SdlHostTest, F12WritesNumberedScreenshotsIntoTheCurrentFolder) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("pq_shots_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  std::vector<std::uint16_t> picture(640 * 480, 0x7FFF);
  host_->Present(View(picture));

  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.scancode = SDL_SCANCODE_F12;
  testing::internal::CaptureStdout();
  Push(e);
  host_->Sleep(1);
  Push(e);
  host_->Sleep(1);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "pimquest-001.bmp\npimquest-002.bmp\n");
  EXPECT_GT(std::filesystem::file_size(dir / "pimquest-001.bmp"), 640u * 480 * 3);
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(dir);
}

TEST_F(SdlHostTest, AltEnterTogglesFullScreen) {
  ASSERT_FALSE(host_->Fullscreen());
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.scancode = SDL_SCANCODE_RETURN;
  e.key.keysym.mod = KMOD_LALT;
  Push(e);
  host_->Sleep(1);
  EXPECT_TRUE(host_->Fullscreen());
  e.key.keysym.mod = KMOD_NONE;  // Enter alone is just a key
  Push(e);
  host_->Sleep(1);
  EXPECT_TRUE(host_->Fullscreen());
  e.key.keysym.mod = KMOD_RALT;
  Push(e);
  host_->Sleep(1);
  EXPECT_FALSE(host_->Fullscreen());
}

class CountingSource : public AudioSource {
 public:
  void Render(std::int16_t* out, std::size_t count) override {
    if (out != nullptr) std::fill(out, out + count, std::int16_t{0});
    samples += count;
  }
  std::atomic<std::size_t> samples{0};
};

TEST_F(SdlHostTest, AudioPullsTheMixAtItsOwnRate) {
  CountingSource source;
  ASSERT_TRUE(host_->OpenAudio(source));
  host_->Sleep(400);
  const std::size_t pulled = source.samples;
  // 400 ms at 11025 Hz is 4410 samples, plus what the device buffers ahead.
  EXPECT_GT(pulled, 2000u);
  EXPECT_LT(pulled, 11000u);
  host_->CloseAudio();
  const std::size_t closed = source.samples;
  host_->Sleep(100);
  EXPECT_EQ(source.samples, closed) << "pulled after CloseAudio";
}

TEST_F(SdlHostTest, MutedOrWithoutADevicePlaysSilent) {
  CountingSource source;
  SdlHostOptions muted;
  muted.mute = true;
  Open(muted);
  EXPECT_FALSE(host_->OpenAudio(source));
  host_.reset();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  Open({});
  EXPECT_FALSE(host_->OpenAudio(source));
  host_->Sleep(50);
  EXPECT_EQ(source.samples, 0u);
}

TEST_F(SdlHostTest, ControllerPlugAndUnplugMidGame) {
  const int index = SDL_JoystickAttachVirtual(
      SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
  ASSERT_GE(index, 0) << SDL_GetError();
  host_->Sleep(1);
  ASSERT_TRUE(host_->ReadGamepad().attached);

  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, -32768);
  host_->Sleep(1);
  PadSnapshot pad = host_->ReadGamepad();
  EXPECT_TRUE(pad.buttons[1]);
  EXPECT_FALSE(pad.buttons[0] || pad.buttons[2]);
  EXPECT_EQ(pad.x, -32768);
  SDL_JoystickClose(stick);

  SDL_JoystickDetachVirtual(index);
  host_->Sleep(1);
  pad = host_->ReadGamepad();
  EXPECT_FALSE(pad.attached);
  EXPECT_FALSE(pad.buttons[1]);

  ASSERT_GE(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                      SDL_CONTROLLER_BUTTON_MAX, 0),
            0);
  host_->Sleep(1);
  EXPECT_TRUE(host_->ReadGamepad().attached);
}

}  // namespace
