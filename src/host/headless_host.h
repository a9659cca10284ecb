// The host of tests and scripted runs: no window, no sound device, a virtual
// clock that starts at 0 and moves only when the game waits, reads or
// presents, and input from a script. Runs as fast as the processor allows and
// is exactly repeatable.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/headless_script.h"
#include "host/host.h"

class HeadlessHost : public Host {
 public:
  explicit HeadlessHost(InputScript script = {});

  // A screenshot of the visible picture at the first device read or sleep at
  // or after virtual time `ms`, written as a 24-bit bitmap.
  void AddScreenshot(std::uint32_t ms, std::string path);
  // Whether writing one of them failed (each failure was reported).
  bool ShotFailed() const { return shotFailed_; }
  // The screenshots whose time the run never reached.
  std::vector<std::string> ShotsNotTaken() const;
  // At virtual time `ms` the run quits as if the window were closed.
  void SetQuitAt(std::uint32_t ms);
  // Whether the quit requested is that time's, not a signal's or RequestQuit's.
  bool QuitIsRunLimit() const { return quitByLimit_; }
  // Called at every device read with the virtual time; a test's player can
  // change the held controls from here with SetHeld.
  void SetReadHook(std::function<void(std::uint32_t)> hook);
  // Replaces the scripted controls from now on.
  void SetHeld(std::uint32_t controls);
  // Pretends the user closes the window now (the next blocking call throws).
  void RequestQuit();

  // The picture on screen now (what a player would see).
  const std::vector<std::uint16_t>& Visible() const;
  std::uint16_t VisibleAt(int x, int y) const {
    return shown_ != nullptr ? shown_[ScreenOffset(x, y)] : visible_[ScreenOffset(x, y)];
  }
  int Presents() const { return presents_; }

  // Host
  std::uint32_t Ticks() override { return now_; }
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

 private:
  void AdvanceTo(std::uint32_t t);  // moves the clock, mixes, takes shots
  void CheckQuit();                 // throws QuitRequest when asked to quit
  std::uint32_t Held() const;

  InputScript script_;
  std::uint32_t now_ = 0;
  std::uint64_t samplesMixed_ = 0;
  AudioSource* audio_ = nullptr;
  // The picture on screen is the display's own visible surface, read where it
  // lies rather than copied at every present; `visible_` holds a copy only
  // when one is asked for or the display goes away.
  const std::uint16_t* shown_ = nullptr;
  mutable std::vector<std::uint16_t> visible_;
  int presents_ = 0;
  std::uint64_t presentSlot_ = 0;  // index of the last 60 Hz boundary used
  struct Shot {
    std::uint32_t at;
    std::string path;
    bool done;
  };
  std::vector<Shot> shots_;
  bool shotFailed_ = false;
  bool hasQuitAt_ = false;
  std::uint32_t quitAt_ = 0;
  bool quitRequested_ = false;
  bool quitByLimit_ = false;
  bool activatedSent_ = false;
  bool quitPosted_ = false;
  std::function<void(std::uint32_t)> readHook_;
  bool heldOverride_ = false;
  std::uint32_t held_ = 0;
};
