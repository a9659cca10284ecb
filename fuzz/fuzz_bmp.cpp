// Feeds arbitrary bytes to the picture load path: the decoder, then the copy
// into a surface of the picture's size and the magenta colour key.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/bitmap.h"
#include "platform/bmp_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  const auto picture = DecodeBmp(std::span<const std::uint8_t>(data, size), &error);
  if (!picture) return 0;
  if (picture->width <= 0 || picture->height <= 0 ||
      picture->rgb.size() != static_cast<std::size_t>(picture->width) * picture->height) {
    __builtin_trap();  // a decoded picture must hold exactly its pixels
  }
  // Pictures larger than the screen are legal but slow to copy; skip them.
  if (static_cast<std::size_t>(picture->width) * picture->height > 640 * 480) return 0;
  Surface surface(picture->width, picture->height);
  CopyBitmapToSurface(&surface, &*picture, 0, 0, 0, 0);
  SetColourKey(&surface, 0xFF00FF);
  // A scaled copy of a corner, as the loader does for sized surfaces.
  Surface small(7, 5);
  CopyBitmapToSurface(&small, &*picture, picture->width / 2, picture->height / 3, 0, 0);
  return 0;
}
