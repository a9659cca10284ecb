// The host of a real desktop: one window, real time, SDL audio, keyboard and
// any game controller. Of the whole game, only the sdl_* files of this
// folder and the key map include SDL.
//
//   sdl_host.cpp        opening, the window's events, the Host calls
//   sdl_pacer.cpp       the clock, and every wait: presents, sleeps, reads
//   sdl_window.cpp      the window, its scale and full screen
//   sdl_picture.cpp     scaling the picture into the window's surface
//   sdl_controller.cpp  the first game controller, hot-plugged
//   sdl_audio.cpp       the sound output
//   key_map.cpp         keys and controller buttons to the game's inputs
//
// The window shows the 640 x 480 picture scaled by a whole number (2 where
// the desktop has room, else 1), or full screen scaled by the largest whole
// number that fits, with black borders. Alt+Enter toggles full screen; F12
// writes a screenshot into the current folder and prints its name. The mouse
// pointer is hidden over the window. No OpenGL is loaded, so the window
// starts fast and stays small on machines without a graphics card.
//
// Presents are paced at 60 per second (frame_pacer.h); a polled device read
// waits for the next millisecond, or a few once the devices stand still
// (sdl_pacer.cpp says how these waits fit together). Ctrl+C, SIGTERM
// (quit_signal.h) and closing the window request the quit: the next
// blocking call throws QuitRequest.
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
  // (error "no display: ...") or no window can be made. A video driver that
  // shows nothing to a person (offscreen, dummy) is taken only when the
  // player asked for it by SDL_VIDEODRIVER.
  static std::unique_ptr<SdlHost> Open(const SdlHostOptions& options, std::string* error);
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  // The whole-number scale of the picture in the window as it is now.
  int Scale() const;
  bool Fullscreen() const;
  void SetFullscreen(bool on);

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
