// The SDL host's window: titled "Pim Quest", showing the 640 x 480 picture
// scaled by a whole number into the window's own surface (plain memory, see
// sdl_picture.h), or full screen with black borders.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "host/sdl_picture.h"

class SdlWindow {
 public:
  SdlWindow() = default;
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  // Opens the window at `scale` (0: 2 where the desktop has room, else 1);
  // false with *error set. SDL's video must be initialised.
  bool Open(int scale, const std::string& iconPath, std::string* error);

  // Scales the 640 x 480 picture into the window's surface, not yet shown.
  void Draw(const std::uint16_t* pixels) { drawer_.Draw(pixels, SDL_GetWindowSurface(window_)); }
  // Shows what was drawn; false when the surface went meanwhile (a resize).
  bool Update() { return SDL_UpdateWindowSurface(window_) == 0; }
  void Show(const std::uint16_t* pixels) {
    Draw(pixels);
    Update();
  }

  bool Fullscreen() const { return fullscreen_; }
  // Switches and shows `pixels` at the new size.
  void SetFullscreen(bool on, const std::uint16_t* pixels);
  // The whole-number scale of the picture as the window is now.
  int Scale() const;

 private:
  SDL_Window* window_ = nullptr;
  PictureDrawer drawer_;
  int windowScale_ = 1;
  bool fullscreen_ = false;
};
