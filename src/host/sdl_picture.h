// Puts the game's 640 x 480 picture (5-5-5) onto a window's own surface,
// without a renderer: each picture pixel becomes an N x N block, N the
// largest whole number that fits, centred with black around it.
//
// 32-bit surfaces (what X11 and the dummy driver hand out) are written
// directly through a table from every 5-5-5 value to the surface's pixel,
// made once per pixel format. Other formats, and a surface too small for
// the picture at all, go through SDL's own (slower) scaled blit.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "host/host.h"

// Where the picture lands on a surface of w x h pixels. scale 0: it does not
// fit even once, and `rect` is the largest centred 4:3 area that does.
struct PicturePlace {
  int scale = 0;
  SDL_Rect rect{};
};
PicturePlace PlacePicture(int w, int h);

// Writes `picture` (kScreenWidth x kScreenHeight, row by row) at `scale`
// into 32-bit pixels starting at `dst`, `pitch` bytes apart per row, turning
// each value into a pixel through `table` (32768 entries; bit 15 is ignored).
void ScalePicture(const std::uint16_t* picture, const std::uint32_t* table, int scale,
                  std::uint8_t* dst, int pitch);

class PictureDrawer {
 public:
  PictureDrawer() = default;
  ~PictureDrawer();
  PictureDrawer(const PictureDrawer&) = delete;
  PictureDrawer& operator=(const PictureDrawer&) = delete;

  // Draws the picture onto `target` and blacks out the rest. Returns false
  // when SDL could not write the surface.
  bool Draw(const std::uint16_t* picture, SDL_Surface* target);

 private:
  const std::uint32_t* TableFor(const SDL_PixelFormat* format);
  bool DrawThroughBlit(const std::uint16_t* picture, SDL_Surface* target, const SDL_Rect& rect);

  std::vector<std::uint32_t> table_;
  Uint32 tableFormat_ = SDL_PIXELFORMAT_UNKNOWN;
  SDL_Surface* source_ = nullptr;  // wraps the picture for the blit fallback
  const std::uint16_t* sourcePixels_ = nullptr;
};
