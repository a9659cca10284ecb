#include "host/web/web_host.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>

#include "host/frame_pacer.h"
#include "host/key_codes.h"
#include "host/web/web_input.h"

namespace {

// A device read polled again within the millisecond waits for the next one;
// once the devices have stood still for idleAfterNs it waits up to idleWaitMs
// instead (a key press still ends the wait at once), so that a menu waiting
// for a key costs the tab next to nothing.
constexpr RepeatedReadWait kRepeatedRead{.idleAfterNs = 16'000'000, .idleWaitMs = 16};
// While the page pulls sound it keeps the game's sounds moving; once it has
// not pulled for this long (sound not started yet, or stalled), the host
// lets the sounds pass in real time itself.
constexpr double kPullStalledMs = 250;

WebHost* current = nullptr;

}  // namespace

// The page's side of this host, in web/pimquest_library.js.
extern "C" {
void pq_web_wait(double ms);
void pq_web_wake();
void pq_web_show(const std::uint8_t* rgba);
void pq_web_presented();
int pq_web_hidden();
int pq_web_audio_open();
void pq_web_audio_close();
}

extern "C" {
// The page's sound processor wants `count` samples at `out`.
EMSCRIPTEN_KEEPALIVE void pq_web_render(std::int16_t* out, int count) {
  if (count <= 0) return;
  if (current != nullptr) {
    current->RenderAudio(out, static_cast<std::size_t>(count));
  } else {
    std::fill(out, out + count, std::int16_t{0});
  }
}

// The page's Quit button.
EMSCRIPTEN_KEEPALIVE void pq_web_quit() {
  if (current != nullptr) current->RequestQuit();
}
}

namespace {

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void* user) {
  const std::uint8_t key = GameKeyFromCode(e->code);
  if (key == 0) return EM_FALSE;
  static_cast<WebHost*>(user)->KeyChanged(key, type == EMSCRIPTEN_EVENT_KEYDOWN);
  // The page would scroll on the arrows; browser shortcuts stay the browser's.
  return (e->ctrlKey || e->altKey || e->metaKey) ? EM_FALSE : EM_TRUE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* user) {
  static_cast<WebHost*>(user)->FocusLost();
  return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void* user) {
  static_cast<WebHost*>(user)->VisibilityChanged(e->hidden != 0);
  return EM_FALSE;
}

void Listen(WebHost* user) {
  const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(window, user, EM_TRUE, user ? OnKey : nullptr);
  emscripten_set_keyup_callback(window, user, EM_TRUE, user ? OnKey : nullptr);
  emscripten_set_blur_callback(window, user, EM_TRUE, user ? OnBlur : nullptr);
  emscripten_set_visibilitychange_callback(user, EM_TRUE, user ? OnVisibility : nullptr);
}

}  // namespace

WebHost::WebHost()
    : startMs_(emscripten_get_now()),
      shown_(kScreenPixels, 0),
      rgba_(kScreenPixels * 4, 0),
      lastMixMs_(startMs_) {
  current = this;
  PixelsToRgba(shown_.data(), kScreenPixels, rgba_.data());
  Show();
  Listen(this);
  hidden_ = pq_web_hidden() != 0;
  events_.push_back(hidden_ ? HostEvent::Minimised : HostEvent::Activated);
}

WebHost::~WebHost() {
  if (audio_ != nullptr) pq_web_audio_close();
  audio_ = nullptr;
  Listen(nullptr);
  current = nullptr;
}

WebHost* WebHost::Current() {
  return current;
}

void WebHost::RequestQuit() {
  if (!quit_) events_.push_back(HostEvent::Quit);
  quit_ = true;
  pq_web_wake();
}

void WebHost::KeyChanged(std::uint8_t key, bool down) {
  keys_[key] = down ? 0x80 : 0;
  pq_web_wake();
}

void WebHost::FocusLost() {
  // Keys let go while the page had no focus would stay down for ever.
  keys_ = KeySnapshot{};
  pq_web_wake();
}

void WebHost::VisibilityChanged(bool hidden) {
  if (hidden != hidden_) events_.push_back(hidden ? HostEvent::Minimised : HostEvent::Activated);
  hidden_ = hidden;
  if (hidden) keys_ = KeySnapshot{};
  pq_web_wake();
}

std::int64_t WebHost::NowNs() const {
  return static_cast<std::int64_t>((emscripten_get_now() - startMs_) * 1e6);
}

std::uint32_t WebHost::Ticks() {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(NowNs() / 1'000'000));
}

void WebHost::CheckQuit() const {
  if (quit_) throw QuitRequest{};
}

void WebHost::Show() {
  pq_web_show(rgba_.data());
}

void WebHost::RefreshVisibleIfDue() {
  if (pendingVisible_ == nullptr) return;
  const std::int64_t slot = SlotIndexAt(NowNs());
  if (slot <= lastShownSlot_) return;  // once per refresh is enough
  // A menu waiting for a key draws the same picture again and again: only a
  // changed one costs a conversion and a canvas update.
  if (!std::equal(pendingVisible_, pendingVisible_ + kScreenPixels, shown_.begin())) {
    std::copy_n(pendingVisible_, kScreenPixels, shown_.begin());
    PixelsToRgba(shown_.data(), kScreenPixels, rgba_.data());
    Show();
  }
  pendingVisible_ = nullptr;
  lastShownSlot_ = slot;
}

void WebHost::KeepSoundsMoving() {
  if (audio_ == nullptr) return;
  const double now = emscripten_get_now();
  if (now - lastPullMs_ < kPullStalledMs) return;
  const auto due = static_cast<std::size_t>(std::floor((now - lastMixMs_) * kMixRate / 1000));
  if (due == 0) return;
  audio_->Render(nullptr, due);
  lastMixMs_ += static_cast<double>(due) * 1000 / kMixRate;
}

void WebHost::RenderAudio(std::int16_t* out, std::size_t count) {
  if (audio_ == nullptr) {
    std::fill(out, out + count, std::int16_t{0});
    return;
  }
  audio_->Render(out, count);
  lastPullMs_ = lastMixMs_ = emscripten_get_now();
}

// Waits until `deadline` (ns since start), showing the visible picture when
// it was drawn on.
void WebHost::WaitNs(std::int64_t deadline) {
  for (;;) {
    CheckQuit();
    KeepSoundsMoving();
    RefreshVisibleIfDue();
    const std::int64_t now = NowNs();
    if (now >= deadline) return;
    std::int64_t until = deadline;
    if (pendingVisible_ != nullptr) until = std::min(until, SlotStart(lastShownSlot_ + 1));
    pq_web_wait(static_cast<double>(until - now) / 1e6);
  }
}

void WebHost::Sleep(std::uint32_t ms) {
  WaitNs(NowNs() + static_cast<std::int64_t>(ms) * 1'000'000);
}

std::uint32_t WebHost::WaitUntil(std::uint32_t start, std::uint32_t ms) {
  CheckQuit();
  const std::int64_t nowNs = NowNs();
  const std::uint32_t passed = static_cast<std::uint32_t>(nowNs / 1'000'000) - start;
  // To the first nanosecond of the tick at which `ms` have passed.
  WaitNs(passed < ms ? (nowNs / 1'000'000 + (ms - passed)) * 1'000'000 : nowNs);
  return Ticks();
}

void WebHost::Present(const ScreenView& screen) {
  CheckQuit();
  // Standing still, the map presents the same picture 60 times a second.
  const bool changed = IsWholeScreen(screen) &&
                       !std::equal(screen.pixels, screen.pixels + kScreenPixels, shown_.begin());
  if (changed) {
    std::copy_n(screen.pixels, kScreenPixels, shown_.begin());
    PixelsToRgba(shown_.data(), kScreenPixels, rgba_.data());
  }
  pendingVisible_ = nullptr;  // the new picture replaces whatever was drawn
  const std::int64_t slot = NextPresentSlot(NowNs(), lastShownSlot_);
  lastShownSlot_ = slot;  // nothing else is shown before this one
  WaitNs(SlotStart(slot));
  if (changed) Show();
  pq_web_presented();
}

void WebHost::VisibleChanged(const ScreenView& screen) {
  pendingVisible_ = IsWholeScreen(screen) ? screen.pixels : nullptr;
}

// Lets a read polled again within the millisecond wait: for the next
// millisecond, or a little longer once the devices have stood still, but
// never past a due refresh of the picture.
void WebHost::BeforeRead(ReadGate& gate) {
  CheckQuit();
  KeepSoundsMoving();
  if (gate.readBefore && Ticks() == gate.lastRead) {
    const std::int64_t ms = RepeatedReadWaitMs(kRepeatedRead, gate, NowNs(),
                                               pendingVisible_ != nullptr, lastShownSlot_);
    pq_web_wait(static_cast<double>(std::max<std::int64_t>(ms, 0)));
    CheckQuit();
  }
  RefreshVisibleIfDue();
  gate.readBefore = true;
  gate.lastRead = Ticks();
}

KeySnapshot WebHost::ReadKeyboard() {
  BeforeRead(keyGate_);
  if (keys_ != lastKeys_) keyGate_.changedAtNs = NowNs();
  lastKeys_ = keys_;
  return keys_;
}

PadSnapshot WebHost::ReadGamepad() {
  BeforeRead(padGate_);
  PadSnapshot pad;
  if (emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS) {
    const int count = emscripten_get_num_gamepads();
    for (int i = 0; i < count; ++i) {
      EmscriptenGamepadEvent g{};
      if (emscripten_get_gamepad_status(i, &g) != EMSCRIPTEN_RESULT_SUCCESS || !g.connected) {
        continue;
      }
      bool buttons[64] = {};
      const int buttonCount = std::clamp(g.numButtons, 0, 64);
      for (int b = 0; b < buttonCount; ++b) buttons[b] = g.digitalButton[b] != 0;
      pad = PadFromStandardGamepad(g.axis, std::clamp(g.numAxes, 0, 64), buttons, buttonCount);
      break;
    }
  }
  if (pad != lastPad_) padGate_.changedAtNs = NowNs();
  lastPad_ = pad;
  return pad;
}

bool WebHost::EscapeDown() {
  return (keys_[DIK_ESCAPE] & 0x80) != 0;
}

HostEvent WebHost::PollEvent() {
  if (events_.empty()) return HostEvent::None;
  const HostEvent e = events_.front();
  events_.pop_front();
  return e;
}

void WebHost::WaitForEvent() {
  for (;;) {
    if (!events_.empty()) return;
    CheckQuit();
    KeepSoundsMoving();
    pq_web_wait(100);
  }
}

void WebHost::PostQuit() {
  events_.push_back(HostEvent::Quit);
}

bool WebHost::OpenAudio(AudioSource& source) {
  CloseAudio();
  if (pq_web_audio_open() == 0) return false;
  audio_ = &source;
  lastMixMs_ = emscripten_get_now();
  lastPullMs_ = -1e9;
  return true;
}

void WebHost::CloseAudio() {
  if (audio_ != nullptr) pq_web_audio_close();
  audio_ = nullptr;
}

bool WebHost::QuitRequested() {
  return quit_;
}
