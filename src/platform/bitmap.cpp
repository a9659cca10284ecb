#include "platform/bitmap.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/data_files.h"

namespace {

// Reads and decodes a game picture file; on failure says why, naming the file.
std::optional<DecodedPicture> DecodeFile(const char* fileName, std::string* error) {
  const auto path = FindDataFile(fileName);
  std::string why;
  const auto bytes = ReadWholeFile(path, kMaxDataFileBytes, &why);
  if (!bytes) {
    if (error != nullptr) *error = path.string() + ": " + why;
    return std::nullopt;
  }
  auto picture = DecodeBmp(*bytes, &why);
  if (!picture && error != nullptr) *error = path.string() + ": " + why;
  return picture;
}

}  // namespace

std::unique_ptr<Surface> LoadBitmapSurface(const char* fileName, int width, int height,
                                           std::string* error) {
  const auto picture = DecodeFile(fileName, error);
  if (!picture) return nullptr;
  auto surface = std::make_unique<Surface>(width > 0 ? width : picture->width,
                                           height > 0 ? height : picture->height);
  CopyBitmapToSurface(surface.get(), &*picture, 0, 0, 0, 0);
  return surface;
}

std::uint32_t ReloadBitmap(Surface* surface, const char* fileName) {
  const auto picture = DecodeFile(fileName, nullptr);
  if (!picture) {
    std::fputs("handle is null\n", stderr);
    return E_FAIL;
  }
  const std::uint32_t status = CopyBitmapToSurface(surface, &*picture, 0, 0, 0, 0);
  if (status != 0) std::fputs("ddcopybitmap failed\n", stderr);
  return status;
}

std::uint32_t CopyBitmapToSurface(Surface* surface, const DecodedPicture* picture, int x, int y,
                                  int width, int height) {
  if (surface == nullptr || picture == nullptr) return E_FAIL;
  if (width == 0) width = picture->width;
  if (height == 0) height = picture->height;
  if (surface->width <= 0 || surface->height <= 0 || width <= 0 || height <= 0) return E_FAIL;
  auto pixel = [](std::uint32_t rgb) {
    return PixelFromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  };
  if (x == 0 && y == 0 && width == picture->width && height == picture->height &&
      surface->width == width && surface->height == height) {
    // The game's own case: one to one.
    std::transform(picture->rgb.begin(), picture->rgb.end(), surface->pixels.begin(), pixel);
    return 0;
  }
  // Otherwise stretch the picture's rectangle over the whole surface.
  for (int dy = 0; dy < surface->height; ++dy) {
    const int sy = y + static_cast<int>(static_cast<long long>(dy) * height / surface->height);
    for (int dx = 0; dx < surface->width; ++dx) {
      const int sx = x + static_cast<int>(static_cast<long long>(dx) * width / surface->width);
      std::uint32_t rgb = 0;
      if (sx >= 0 && sy >= 0 && sx < picture->width && sy < picture->height) {
        rgb = picture->rgb[PixelOffset(sx, sy, picture->width)];
      }
      surface->At(dx, dy) = pixel(rgb);
    }
  }
  return 0;
}

std::uint32_t MatchColour(Surface* surface, std::uint32_t rgb) {
  if (surface == nullptr || surface->pixels.empty()) return 0xFFFFFFFF;
  // Written into pixel (0, 0) and read back, so the key goes through the very
  // conversion the pictures went through; the pixel is put back afterwards.
  const std::uint16_t saved = surface->At(0, 0);
  if (rgb != 0xFFFFFFFF) surface->At(0, 0) = PixelFromColorref(rgb);
  const std::uint32_t value = surface->At(0, 0);
  surface->At(0, 0) = saved;
  return value;
}

std::uint32_t SetColourKey(Surface* surface, std::uint32_t rgb) {
  const std::uint32_t key = MatchColour(surface, rgb);
  if (key == 0xFFFFFFFF) return E_FAIL;
  surface->colourKey = static_cast<std::uint16_t>(key);
  return 0;
}
