// The host of a browser tab: the page's 640 x 480 canvas, real time, Web
// Audio, the page's keyboard and the first game controller.
//
// The game's loops block, and a page must not: the build runs every wait of
// this host through asyncify, so that a sleep or a device read hands the tab
// back to the browser (which then draws, takes input and plays sound) and
// resumes the game where it stood. Input events end a wait early, so a key
// press is seen at once.
//
// Presents are paced on the same 60 Hz grid as the desktop's. A hidden tab is
// a minimised window: the game stops its frames until the tab is shown again.
// Browsers allow sound only after the player has touched the page, so the
// sound output opens with the first key press or click; until then the
// game's sounds pass in real time, unheard. The page's Quit button is the
// window's close button: the next blocking call throws QuitRequest.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "host/frame_pacer.h"
#include "host/host.h"

class WebHost : public Host {
 public:
  // Listens to the page's keyboard, focus and visibility. One at a time.
  WebHost();
  ~WebHost() override;
  WebHost(const WebHost&) = delete;
  WebHost& operator=(const WebHost&) = delete;

  // The host the page's callbacks reach (null when none is open).
  static WebHost* Current();

  // The page asks the game to end now, from wherever it stands.
  void RequestQuit();
  // The page's sound output wants `count` samples (it has started pulling).
  void RenderAudio(std::int16_t* out, std::size_t count);

  // Host
  std::uint32_t Ticks() override;
  void Sleep(std::uint32_t ms) override;
  std::uint32_t WaitUntil(std::uint32_t start, std::uint32_t ms) override;
  void Present(const ScreenView& screen) override;
  void VisibleChanged(const ScreenView& screen) override;
  KeySnapshot ReadKeyboard() override;
  PadSnapshot ReadGamepad() override;
  bool EscapeDown() override;
  HostEvent PollEvent() override;
  void WaitForEvent() override;
  void PostQuit() override;
  bool OpenAudio(AudioSource& source) override;
  void CloseAudio() override;
  bool QuitRequested() override;

  // Called from the page's event callbacks.
  void KeyChanged(std::uint8_t key, bool down);
  void FocusLost();
  void VisibilityChanged(bool hidden);

 private:
  // Polling state of one input device.
  std::int64_t NowNs() const;
  void CheckQuit() const;
  void WaitNs(std::int64_t deadline);
  void BeforeRead(ReadGate& gate);
  void RefreshVisibleIfDue();
  void Show();  // puts `rgba_` on the canvas
  void KeepSoundsMoving();

  double startMs_ = 0;
  std::vector<std::uint16_t> shown_;
  std::vector<std::uint8_t> rgba_;
  std::int64_t lastShownSlot_ = -1;
  const std::uint16_t* pendingVisible_ = nullptr;  // drawn on, not yet shown
  KeySnapshot keys_{};
  ReadGate keyGate_;
  ReadGate padGate_;
  KeySnapshot lastKeys_{};
  PadSnapshot lastPad_{};
  std::deque<HostEvent> events_;
  bool hidden_ = false;
  bool quit_ = false;

  AudioSource* audio_ = nullptr;
  double lastMixMs_ = 0;      // sounds have been advanced up to here
  double lastPullMs_ = -1e9;  // when the page last pulled samples
};
