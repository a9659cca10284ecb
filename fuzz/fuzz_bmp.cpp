// Feeds arbitrary bytes to the picture load path as the game takes it: the
// file measured and read, decoded, copied into a surface of its size and
// given the magenta key; then loaded again scaled into a small surface.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "data_folder.h"
#include "platform/bitmap.h"
#include "platform/bmp_file.h"

namespace {

// The pixels a header claims, read as the decoder reads it (0 when unsure).
std::int64_t ClaimedPixels(const std::uint8_t* data, std::size_t size) {
  if (size < 26) return 0;
  auto le = [&](std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | data[at + static_cast<std::size_t>(i)];
    return v;
  };
  const bool core = le(14, 4) == 12;
  const std::int64_t w =
      core ? std::int64_t{le(18, 2)} : std::int64_t{static_cast<std::int32_t>(le(18, 4))};
  const std::int64_t h =
      core ? std::int64_t{le(20, 2)} : std::int64_t{static_cast<std::int32_t>(le(22, 4))};
  return std::llabs(w) * std::llabs(h);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Pictures within the bounds but over 128 x 128 take the very same loops,
  // only longer, and their buffers leave the allocator's small sizes; they
  // are left out so that the fuzzer spends its time on variety. Headers
  // beyond the bounds still come in, to be refused.
  const std::int64_t claimed = ClaimedPixels(data, size);
  if (claimed > 128 * 128 && claimed <= kMaxPicturePixels) return -1;
  std::string error;
  const auto picture = DecodeBmp(std::span<const std::uint8_t>(data, size), &error);
  if (!picture && error.empty()) __builtin_trap();  // a refusal must say why
  if (picture && (picture->width <= 0 || picture->height <= 0 || picture->width > kMaxPictureSide ||
                  picture->height > kMaxPictureSide ||
                  picture->rgb.size() != static_cast<std::size_t>(picture->width) *
                                             static_cast<std::size_t>(picture->height))) {
    __builtin_trap();  // a decoded picture must hold exactly its pixels
  }
  const std::string name = PutDataFile("bmp", data, size);
  const auto surface = LoadBitmapSurface(name.c_str(), 0, 0, &error);
  if (!surface != !picture) __builtin_trap();  // the file path decides as the bytes do
  if (!surface) {
    if (error.find("fuzz.bmp") == std::string::npos) __builtin_trap();  // names the file
    return 0;
  }
  SetColourKey(surface.get(), 0xFF00FF);
  const auto small = LoadBitmapSurface(name.c_str(), 7, 5, &error);
  if (!small) __builtin_trap();
  return 0;
}
