#include "host/sdl_picture.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kValues = 1u << 15;

// Fills the parts of `target` outside `inner` with `black`.
void FillAround(SDL_Surface* target, const SDL_Rect& inner, Uint32 black) {
  const SDL_Rect bands[4] = {
      {0, 0, target->w, inner.y},
      {0, inner.y + inner.h, target->w, target->h - inner.y - inner.h},
      {0, inner.y, inner.x, inner.h},
      {inner.x + inner.w, inner.y, target->w - inner.x - inner.w, inner.h},
  };
  for (const SDL_Rect& band : bands) {
    if (band.w > 0 && band.h > 0) SDL_FillRect(target, &band, black);
  }
}

}  // namespace

PicturePlace PlacePicture(int w, int h) {
  PicturePlace place;
  w = std::max(w, 0);
  h = std::max(h, 0);
  place.scale = std::min(w / kScreenWidth, h / kScreenHeight);
  int pw = kScreenWidth * place.scale;
  int ph = kScreenHeight * place.scale;
  if (place.scale == 0) {
    // Smaller than the picture: shrink it, keeping its 4:3 shape.
    pw = std::min(w, h * 4 / 3);
    ph = std::min(h, w * 3 / 4);
  }
  place.rect = SDL_Rect{(w - pw) / 2, (h - ph) / 2, pw, ph};
  return place;
}

void ScalePicture(const std::uint16_t* picture, const std::uint32_t* table, int scale,
                  std::uint8_t* dst, int pitch) {
  // A picture that fits not even once is blitted instead: scale is 1 or more.
  const std::size_t rowBytes = std::size_t{kScreenWidth} * static_cast<std::size_t>(scale) * 4;
  for (int y = 0; y < kScreenHeight; ++y) {
    const std::uint16_t* in = picture + ScreenOffset(0, y);
    std::uint8_t* first = dst + static_cast<std::ptrdiff_t>(pitch) * y * scale;
    auto* out = reinterpret_cast<std::uint32_t*>(first);
    switch (scale) {
      case 1:
        for (int x = 0; x < kScreenWidth; ++x) out[x] = table[in[x] & 0x7FFF];
        break;
      case 2:
        for (int x = 0; x < kScreenWidth; ++x) {
          const std::uint32_t v = table[in[x] & 0x7FFF];
          out[2 * x] = v;
          out[2 * x + 1] = v;
        }
        break;
      default:
        for (int x = 0; x < kScreenWidth; ++x) {
          std::fill_n(out + static_cast<std::ptrdiff_t>(x) * scale, scale, table[in[x] & 0x7FFF]);
        }
        break;
    }
    // The other rows of the block are copies of the first.
    for (int k = 1; k < scale; ++k) {
      std::memcpy(first + static_cast<std::ptrdiff_t>(pitch) * k, first, rowBytes);
    }
  }
}

PictureDrawer::~PictureDrawer() {
  if (source_ != nullptr) SDL_FreeSurface(source_);
}

const std::uint32_t* PictureDrawer::TableFor(const SDL_PixelFormat* format) {
  if (tableFormat_ != format->format || table_.size() != kValues) {
    table_.resize(kValues);
    for (std::uint32_t v = 0; v < kValues; ++v) {
      // Five bits to eight, the top bits repeated below, so 31 becomes 255.
      auto expand = [v](int shift) {
        const std::uint32_t c = (v >> shift) & 31;
        return static_cast<Uint8>(c << 3 | c >> 2);
      };
      table_[v] = SDL_MapRGB(format, expand(10), expand(5), expand(0));
    }
    tableFormat_ = format->format;
  }
  return table_.data();
}

bool PictureDrawer::DrawThroughBlit(const std::uint16_t* picture, SDL_Surface* target,
                                    const SDL_Rect& rect) {
  if (source_ == nullptr || sourcePixels_ != picture) {
    if (source_ != nullptr) SDL_FreeSurface(source_);
    // SDL only reads from the source of a blit.
    source_ = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint16_t*>(picture), kScreenWidth,
                                                 kScreenHeight, 16, kScreenWidth * 2,
                                                 SDL_PIXELFORMAT_RGB555);
    sourcePixels_ = source_ != nullptr ? picture : nullptr;
    if (source_ == nullptr) return false;
  }
  SDL_Rect to = rect;
  return SDL_BlitScaled(source_, nullptr, target, &to) == 0;
}

bool PictureDrawer::Draw(const std::uint16_t* picture, SDL_Surface* target) {
  if (target == nullptr || picture == nullptr) return false;
  const PicturePlace place = PlacePicture(target->w, target->h);
  FillAround(target, place.rect, SDL_MapRGB(target->format, 0, 0, 0));
  if (place.rect.w <= 0 || place.rect.h <= 0) return true;

  const SDL_PixelFormat* format = target->format;
  if (place.scale == 0 || format->BytesPerPixel != 4 || SDL_ISPIXELFORMAT_INDEXED(format->format)) {
    return DrawThroughBlit(picture, target, place.rect);
  }
  const std::uint32_t* table = TableFor(format);
  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return false;
  auto* at = static_cast<std::uint8_t*>(target->pixels) +
             static_cast<std::ptrdiff_t>(target->pitch) * place.rect.y +
             static_cast<std::ptrdiff_t>(place.rect.x) * 4;
  ScalePicture(picture, table, place.scale, at, target->pitch);
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
  return true;
}
