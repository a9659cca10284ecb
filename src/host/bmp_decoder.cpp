#include "host/bmp_decoder.h"

#include <SDL.h>

#include <cstdlib>

namespace {

constexpr int kMaxSide = 8192;

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Refuses what no picture of ours looks like before the reader allocates for
// it: a hostile header must not make us reserve gigabytes.
bool PlausibleHeader(std::span<const std::uint8_t> bytes, std::string* error) {
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') {
    *error = "not a bitmap file";
    return false;
  }
  const std::uint32_t headerSize = Le32(bytes, 14);
  std::int64_t width = 0, height = 0;
  if (headerSize == 12) {
    width = bytes[18] | (bytes[19] << 8);
    height = bytes[20] | (bytes[21] << 8);
  } else if (headerSize >= 40 && bytes.size() >= 26) {
    width = static_cast<std::int32_t>(Le32(bytes, 18));
    height = static_cast<std::int32_t>(Le32(bytes, 22));
  } else {
    *error = "unknown bitmap header";
    return false;
  }
  if (width <= 0 || width > kMaxSide || height == 0 || std::llabs(height) > kMaxSide) {
    *error = "picture size out of range";
    return false;
  }
  return true;
}

}  // namespace

std::optional<DecodedPicture> DecodeBmp(std::span<const std::uint8_t> bytes, std::string* error) {
  std::string scratch;
  if (error == nullptr) error = &scratch;
  if (!PlausibleHeader(bytes, error)) return std::nullopt;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (rw == nullptr) {
    *error = SDL_GetError();
    return std::nullopt;
  }
  SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
  if (loaded == nullptr) {
    *error = std::string("not a readable bitmap (") + SDL_GetError() + ")";
    return std::nullopt;
  }
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (rgb == nullptr) {
    *error = std::string("cannot convert the picture (") + SDL_GetError() + ")";
    return std::nullopt;
  }
  DecodedPicture picture;
  picture.width = rgb->w;
  picture.height = rgb->h;
  picture.rgb.resize(static_cast<std::size_t>(rgb->w) * rgb->h);
  SDL_LockSurface(rgb);
  for (int y = 0; y < rgb->h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(
        static_cast<const std::uint8_t*>(rgb->pixels) + static_cast<std::size_t>(y) * rgb->pitch);
    for (int x = 0; x < rgb->w; ++x) {
      picture.rgb[static_cast<std::size_t>(y) * rgb->w + x] = row[x] & 0x00FFFFFF;
    }
  }
  SDL_UnlockSurface(rgb);
  SDL_FreeSurface(rgb);
  return picture;
}
