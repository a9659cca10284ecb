// The host of a real desktop: one window, real time, SDL audio, keyboard and
// any game controller. The only file besides the key map that includes SDL.
//
// The window is titled "Pim Quest" and shows the 640 x 480 picture scaled by a
// whole number (2 where the desktop has room, else 1), or full screen scaled
// by the largest whole number that fits, with black borders. Alt+Enter
// toggles full screen; F12 writes a screenshot into the current folder and
// prints its name. The mouse pointer is hidden over the window.
//
// The picture is scaled by our own code into the window's surface (plain
// memory, see sdl_picture.h); no OpenGL is loaded, so the window starts fast
// and stays small on machines without a graphics card.
//
// Presents are paced at 60 per second by sleeping to the next 1/60 s boundary
// (nothing waits for the monitor), so a fast monitor never makes the game run
// faster. A device read polled again within the millisecond waits for the
// next one, or up to 8 ms once keyboard and controller have stood still for a
// frame; any input event ends that wait at once. Ctrl+C, SIGTERM and closing
// the window request the quit: the next blocking call throws QuitRequest.
#pragma once

#include <memory>
#include <string>

#include "host/host.h"

struct SdlHostOptions {
  int scale = 0;            // window scale; 0: 2 where the desktop allows, else 1
  bool fullscreen = false;  // start full screen
  bool mute = false;        // OpenAudio then reports no device (silent play)
  std::string iconPath;     // 64 x 64 bitmap, magenta transparent; may be absent
};

class SdlHost : public Host {
 public:
  // Opens the window. Returns null with *error set when there is no display
  // or no window can be made.
  static std::unique_ptr<SdlHost> Open(const SdlHostOptions& options, std::string* error);
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  // The whole-number scale of the picture in the window as it is now.
  int Scale() const;
  bool Fullscreen() const;
  void SetFullscreen(bool on);
  // Writes what the window shows now as a 24-bit bitmap; false on failure.
  bool SaveScreenshot(const std::string& path) const;

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

 private:
  struct Impl;
  explicit SdlHost(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};
