#include "platform/display.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/host_link.h"
#include "platform/visible.h"

Surface* FrontSurface = nullptr;
Surface* BackBuffer = nullptr;

namespace {
std::unique_ptr<Surface> front;
std::unique_ptr<Surface> back;

ScreenView ViewOf(const Surface& s) {
  return ScreenView{s.pixels.data(), s.width, s.height};
}
}  // namespace

void NoteDrawn(const Surface* surface) {
  if (surface != nullptr && surface == FrontSurface) CurrentHost().VisibleChanged(ViewOf(*front));
}

int InitDisplay(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel) {
  if (width != kScreenWidth || height != kScreenHeight || bitsPerPixel != 16) return 0;
  front = std::make_unique<Surface>(kScreenWidth, kScreenHeight);
  back = std::make_unique<Surface>(kScreenWidth, kScreenHeight);
  FrontSurface = front.get();
  BackBuffer = back.get();
  return 1;
}

int ShutdownDisplay() {
  // The host may still hold the visible picture it was told of.
  if (front && HasHost()) CurrentHost().VisibleChanged(ScreenView{});
  BackBuffer = nullptr;
  FrontSurface = nullptr;
  back.reset();
  front.reset();
  return 1;
}

int PresentFrame() {
  if (FrontSurface == nullptr || BackBuffer == nullptr) return 1;
  // The two pictures change places; the names stay with visible and hidden.
  std::swap(FrontSurface->pixels, BackBuffer->pixels);
  CurrentHost().Present(ViewOf(*FrontSurface));
  return 1;
}

int FillSurface(Surface* surface, std::uint16_t colour) {
  if (surface == nullptr) return 1;
  std::fill(surface->pixels.begin(), surface->pixels.end(), colour);
  NoteDrawn(surface);
  return 1;
}

int FillRect(int left, int top, int right, int bottom, std::uint16_t colour, Surface* surface) {
  if (surface == nullptr) return 1;
  // The game's rectangles all lie on the screen; clipping only guards memory.
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, surface->width);
  bottom = std::min(bottom, surface->height);
  for (int y = top; y < bottom; ++y) {
    std::fill_n(&surface->At(left, y), std::max(right - left, 0), colour);
  }
  NoteDrawn(surface);
  return 1;
}

void BlitClipped(Surface* dest, int x, int y, Surface* source, Rect& r, std::uint32_t mode) {
  if (dest == nullptr || source == nullptr) return;
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  if (x >= kScreenWidth || y >= kScreenHeight || x + w < 0 || y + h < 0) return;
  if (x < 0) {
    r.left -= x;
    x = 0;
  }
  if (y < 0) {
    r.top -= y;
    y = 0;
  }
  if (x + w > kScreenWidth) r.right = r.left + kScreenWidth - x;
  if (y + h > kScreenHeight) r.bottom = r.top + kScreenHeight - y;

  // The copy itself never leaves either surface, whatever rectangle it is given.
  int srcLeft = r.left, srcTop = r.top;
  int dstX = x, dstY = y;
  if (srcLeft < 0) {
    dstX -= srcLeft;
    srcLeft = 0;
  }
  if (srcTop < 0) {
    dstY -= srcTop;
    srcTop = 0;
  }
  const int cols = std::min({r.right, source->width}) - srcLeft;
  const int rows = std::min({r.bottom, source->height}) - srcTop;
  const int copyCols = std::min(cols, dest->width - dstX);
  const int copyRows = std::min(rows, dest->height - dstY);
  if (copyCols <= 0 || copyRows <= 0) return;

  const std::uint16_t* from = &source->At(srcLeft, srcTop);
  std::uint16_t* to = &dest->At(dstX, dstY);
  if ((mode & kCopyKeyed) != 0 && source->colourKey.has_value()) {
    const std::uint16_t key = *source->colourKey;
    for (int row = 0; row < copyRows; ++row, from += source->width, to += dest->width) {
      // Written without a branch so that the compiler copies many pixels at once.
      for (int col = 0; col < copyCols; ++col) to[col] = from[col] == key ? to[col] : from[col];
    }
  } else {
    const std::size_t bytes = static_cast<std::size_t>(copyCols) * sizeof(std::uint16_t);
    for (int row = 0; row < copyRows; ++row, from += source->width, to += dest->width) {
      std::memcpy(to, from, bytes);
    }
  }
  NoteDrawn(dest);
}

void BlitFullScreen(Surface* dest, Surface* picture) {
  // A fresh rectangle for each copy: BlitClipped clips it in place.
  Rect whole{0, 0, kScreenWidth, kScreenHeight};
  BlitClipped(dest, 0, 0, picture, whole, kCopyWait);
}
