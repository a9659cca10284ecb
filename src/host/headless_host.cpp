#include "host/headless_host.h"

#include <algorithm>
#include <cstdio>

#include "host/bmp_writer.h"
#include "host/key_codes.h"
#include "host/quit_signal.h"

namespace {
// The k-th 60 Hz boundary, in whole milliseconds.
std::uint32_t Boundary(std::uint64_t k) {
  return static_cast<std::uint32_t>(k * 1000 / 60);
}
}  // namespace

HeadlessHost::HeadlessHost(InputScript script)
    : script_(std::move(script)),
      visible_(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, 0) {}

void HeadlessHost::AddScreenshot(std::uint32_t ms, std::string path) {
  shots_.push_back({ms, std::move(path), false});
}

std::vector<std::string> HeadlessHost::ShotsNotTaken() const {
  std::vector<std::string> missed;
  for (const Shot& shot : shots_) {
    if (!shot.done) missed.push_back(shot.path);
  }
  return missed;
}

void HeadlessHost::SetQuitAt(std::uint32_t ms) {
  hasQuitAt_ = true;
  quitAt_ = ms;
}

void HeadlessHost::SetReadHook(std::function<void(std::uint32_t)> hook) {
  readHook_ = std::move(hook);
}

void HeadlessHost::SetHeld(std::uint32_t controls) {
  heldOverride_ = true;
  held_ = controls;
  if ((controls & kAnyPad) != 0) script_.padAttached = true;
}

void HeadlessHost::RequestQuit() {
  quitRequested_ = true;
}

std::uint32_t HeadlessHost::Held() const {
  return heldOverride_ ? held_ : script_.HeldAt(now_);
}

void HeadlessHost::AdvanceTo(std::uint32_t t) {
  if (hasQuitAt_ && t >= quitAt_) {
    t = std::max(now_, quitAt_);
    if (!quitRequested_ && !QuitSignalled()) quitByLimit_ = true;
    quitRequested_ = true;
  }
  if (t > now_) {
    now_ = t;
    // Sounds run in virtual time: mix (into nothing) up to the new moment.
    const std::uint64_t due = static_cast<std::uint64_t>(now_) * kMixRate / 1000;
    if (audio_ != nullptr && due > samplesMixed_) audio_->Render(nullptr, due - samplesMixed_);
    samplesMixed_ = due;
  }
  for (Shot& shot : shots_) {
    if (!shot.done && now_ >= shot.at) {
      shot.done = true;
      std::string error;
      if (!WriteScreenshot(shot.path, ScreenView{Visible().data(), kScreenWidth, kScreenHeight},
                           &error)) {
        std::fprintf(stderr, "pimquest: %s\n", error.c_str());
        shotFailed_ = true;
      }
    }
  }
}

void HeadlessHost::CheckQuit() {
  // Ctrl+C and SIGTERM end a scripted run as closing the window would.
  if (QuitSignalled()) quitRequested_ = true;
  if (quitRequested_) throw QuitRequest{};
}

void HeadlessHost::Sleep(std::uint32_t ms) {
  CheckQuit();
  AdvanceTo(now_ + ms);
  CheckQuit();
}

std::uint32_t HeadlessHost::WaitUntil(std::uint32_t start, std::uint32_t ms) {
  CheckQuit();
  if (now_ - start < ms) AdvanceTo(start + ms);
  CheckQuit();
  return now_;
}

void HeadlessHost::Present(const ScreenView& screen) {
  CheckQuit();
  shown_ = screen.pixels;
  ++presents_;
  // To the next 60 Hz boundary after now.
  std::uint64_t k =
      std::max<std::uint64_t>(presentSlot_, static_cast<std::uint64_t>(now_) * 60 / 1000);
  while (Boundary(k) <= now_) ++k;
  presentSlot_ = k;
  AdvanceTo(Boundary(k));
  CheckQuit();
}

void HeadlessHost::VisibleChanged(const ScreenView& screen) {
  if (screen.pixels == nullptr) Visible();  // keep the last picture
  shown_ = screen.pixels;
}

const std::vector<std::uint16_t>& HeadlessHost::Visible() const {
  if (shown_ != nullptr) std::copy_n(shown_, visible_.size(), visible_.begin());
  return visible_;
}

KeySnapshot HeadlessHost::ReadKeyboard() {
  CheckQuit();
  AdvanceTo(now_ + 1);
  if (readHook_) readHook_(now_);
  CheckQuit();
  const std::uint32_t held = Held();
  KeySnapshot keys{};
  auto set = [&](std::uint32_t bit, std::size_t code) {
    if ((held & bit) != 0) keys[code] = 0x80;
  };
  set(kUp, DIK_UP);
  set(kDown, DIK_DOWN);
  set(kLeft, DIK_LEFT);
  set(kRight, DIK_RIGHT);
  set(kA, DIK_A);
  set(kS, DIK_S);
  set(kZ, DIK_Z);
  set(kEsc, DIK_ESCAPE);
  return keys;
}

PadSnapshot HeadlessHost::ReadGamepad() {
  CheckQuit();
  AdvanceTo(now_);
  PadSnapshot pad;
  if (!script_.padAttached) return pad;
  const std::uint32_t held = Held();
  pad.attached = true;
  pad.x = (held & kPadLeft) ? -32768 : (held & kPadRight) ? 32767 : 0;
  pad.y = (held & kPadUp) ? -32768 : (held & kPadDown) ? 32767 : 0;
  pad.buttons[0] = (held & kPad0) != 0;
  pad.buttons[1] = (held & kPad1) != 0;
  pad.buttons[2] = (held & kPad2) != 0;
  return pad;
}

bool HeadlessHost::EscapeDown() {
  return (Held() & kEsc) != 0;
}

HostEvent HeadlessHost::PollEvent() {
  if (!activatedSent_) {
    activatedSent_ = true;
    return HostEvent::Activated;
  }
  if (QuitSignalled()) quitRequested_ = true;
  if (quitPosted_ || quitRequested_) {
    quitPosted_ = false;
    return HostEvent::Quit;
  }
  return HostEvent::None;
}

void HeadlessHost::WaitForEvent() {
  CheckQuit();
}

void HeadlessHost::PostQuit() {
  quitPosted_ = true;
}

bool HeadlessHost::OpenAudio(AudioSource& source) {
  audio_ = &source;
  samplesMixed_ = static_cast<std::uint64_t>(now_) * kMixRate / 1000;
  return true;
}

void HeadlessHost::CloseAudio() {
  audio_ = nullptr;
}

bool HeadlessHost::QuitRequested() {
  return quitRequested_ || QuitSignalled();
}
