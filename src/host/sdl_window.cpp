#include "host/sdl_window.h"

#include <algorithm>

SdlWindow::~SdlWindow() {
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool SdlWindow::Open(int scale, const std::string& iconPath, std::string* error) {
  auto fail = [&](const char* what) {
    if (error != nullptr) *error = std::string(what) + ": " + SDL_GetError();
    return false;
  };
  if (scale <= 0) {
    SDL_Rect usable{};
    scale = (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w >= 2 * kScreenWidth &&
             usable.h >= 2 * kScreenHeight)
                ? 2
                : 1;
  }
  windowScale_ = scale;
  window_ = SDL_CreateWindow("Pim Quest", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             kScreenWidth * scale, kScreenHeight * scale, SDL_WINDOW_SHOWN);
  if (window_ == nullptr) return fail("cannot open the window");
  if (!iconPath.empty()) {
    if (SDL_Surface* icon = SDL_LoadBMP(iconPath.c_str())) {
      SDL_SetColorKey(icon, SDL_TRUE, SDL_MapRGB(icon->format, 255, 0, 255));
      SDL_SetWindowIcon(window_, icon);
      SDL_FreeSurface(icon);
    }
  }
  if (SDL_GetWindowSurface(window_) == nullptr) return fail("cannot draw in the window");
  SDL_ShowCursor(SDL_DISABLE);
  return true;
}

void SdlWindow::SetFullscreen(bool on, const std::uint16_t* pixels) {
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
  fullscreen_ = on;
  if (!on) SDL_SetWindowSize(window_, kScreenWidth * windowScale_, kScreenHeight * windowScale_);
  Show(pixels);
}

int SdlWindow::Scale() const {
  int w = 0;
  int h = 0;
  if (const SDL_Surface* surface = SDL_GetWindowSurface(window_)) {
    w = surface->w;
    h = surface->h;
  } else {
    SDL_GetWindowSize(window_, &w, &h);
  }
  return std::max(1, PlacePicture(w, h).scale);
}
