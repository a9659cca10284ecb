#include "platform/bmp_file.h"

#include <bit>
#include <string>

namespace {

using Bytes = std::span<const std::uint8_t>;

enum Compression : std::uint32_t {
  kPlain = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6,
};

std::uint32_t Le16(Bytes b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t Le32(Bytes b, std::size_t at) {
  return Le16(b, at) | (Le16(b, at + 2) << 16);
}

// What the headers say, checked against the file's length.
struct Layout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  std::uint32_t bits = 0;
  std::uint32_t compression = kPlain;
  std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::size_t dataAt = 0;
};

bool Fail(std::string* error, std::string why) {
  *error = std::move(why);
  return false;
}

bool ReadLayout(Bytes bytes, Layout* out, std::string* error) {
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') {
    return Fail(error, "not a bitmap file");
  }
  const std::uint32_t infoSize = Le32(bytes, 14);
  const bool core = infoSize == 12;  // the oldest header: 16-bit sizes, 3-byte palette
  if (!core && (infoSize < 40 || infoSize > bytes.size() - 14)) {
    return Fail(error, "unknown bitmap header");
  }
  std::int64_t width = 0, height = 0;
  std::uint32_t colours = 0;
  if (core) {
    width = Le16(bytes, 18);
    height = Le16(bytes, 20);
    out->bits = Le16(bytes, 24);
  } else {
    width = static_cast<std::int32_t>(Le32(bytes, 18));
    height = static_cast<std::int32_t>(Le32(bytes, 22));
    out->bits = Le16(bytes, 28);
    out->compression = Le32(bytes, 30);
    colours = Le32(bytes, 46);
  }
  out->topDown = height < 0;
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0) return Fail(error, "picture has no pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
    return Fail(error, "picture of " + std::to_string(width) + " x " + std::to_string(height) +
                           " is larger than the game can show (at most " +
                           std::to_string(kMaxPictureSide) + " pixels a side and " +
                           std::to_string(kMaxPicturePixels) + " pixels)");
  }
  out->width = static_cast<int>(width);
  out->height = static_cast<int>(height);

  const std::uint32_t bits = out->bits;
  const std::uint32_t compression = out->compression;
  const bool known =
      (compression == kPlain &&
       (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) ||
      (compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4) ||
      ((compression == kBitFields || compression == kAlphaBitFields) && (bits == 16 || bits == 32));
  if (!known) {
    return Fail(error, "unsupported bitmap layout (" + std::to_string(bits) +
                           " bits, compression " + std::to_string(compression) + ")");
  }

  std::size_t after = 14 + (core ? 12 : infoSize);  // where masks or palette follow
  if (compression == kBitFields || compression == kAlphaBitFields) {
    // The masks sit inside the longer headers and after the 40-byte one.
    std::size_t at = 14 + 40;
    const std::size_t maskEnd = at + (compression == kAlphaBitFields ? 16 : 12);
    if (maskEnd > bytes.size()) return Fail(error, "colour masks cut short");
    if (after < maskEnd) after = maskEnd;
    for (std::uint32_t& mask : out->masks) {
      mask = Le32(bytes, at);
      at += 4;
    }
  } else if (bits == 16) {
    out->masks[0] = 0x7C00;
    out->masks[1] = 0x03E0;
    out->masks[2] = 0x001F;
  } else if (bits == 32) {
    out->masks[0] = 0xFF0000;
    out->masks[1] = 0x00FF00;
    out->masks[2] = 0x0000FF;
  }

  out->dataAt = Le32(bytes, 10);
  if (out->dataAt > bytes.size()) return Fail(error, "pixel data missing");
  if (bits <= 8) {
    const std::uint32_t entry = core ? 3 : 4;
    const std::uint32_t most = 1u << bits;
    std::size_t count = colours == 0 || colours > most ? most : colours;
    // A palette ends where the pixels begin, or at the end of the file.
    const std::size_t end = out->dataAt >= after ? out->dataAt : bytes.size();
    const std::size_t room = end > after ? (end - after) / entry : 0;
    if (room < count) count = room;
    if (count == 0) return Fail(error, "palette missing");
    out->palette.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t at = after + i * entry;
      out->palette[i] =
          (std::uint32_t{bytes[at + 2]} << 16) | (std::uint32_t{bytes[at + 1]} << 8) | bytes[at];
    }
  }
  return true;
}

// One channel of a masked pixel value, widened to 0..255 (rounded down, so a
// 5-bit channel takes the values 0, 8, 16, 24, 32, 41, ... 246, 255).
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint64_t most = mask >> shift;
  const std::uint64_t v = (value & mask) >> shift;
  return static_cast<std::uint32_t>(v * 255 / most);
}

std::uint32_t Masked(const Layout& layout, std::uint32_t value) {
  return (Channel(value, layout.masks[0]) << 16) | (Channel(value, layout.masks[1]) << 8) |
         Channel(value, layout.masks[2]);
}

// A palette index beyond the palette shows black.
std::uint32_t Colour(const Layout& layout, std::uint32_t index) {
  return index < layout.palette.size() ? layout.palette[index] : 0;
}

std::size_t Stride(const Layout& layout) {
  return (static_cast<std::size_t>(layout.width) * layout.bits + 31) / 32 * 4;
}

// Uncompressed rows; the caller has checked that they are all there.
void DecodeRows(Bytes bytes, const Layout& layout, DecodedPicture* picture) {
  const std::size_t width = static_cast<std::size_t>(layout.width);
  const std::size_t stride = Stride(layout);
  const std::size_t height = static_cast<std::size_t>(layout.height);
  for (std::size_t r = 0; r < height; ++r) {
    const std::size_t row = layout.dataAt + r * stride;
    const std::size_t y = layout.topDown ? r : height - 1 - r;
    std::uint32_t* out = &picture->rgb[y * width];
    for (std::size_t x = 0; x < width; ++x) {
      switch (layout.bits) {
        case 1:
          out[x] = Colour(layout, (bytes[row + x / 8] >> (7 - x % 8)) & 1);
          break;
        case 4:
          out[x] = Colour(layout, (bytes[row + x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15);
          break;
        case 8:
          out[x] = Colour(layout, bytes[row + x]);
          break;
        case 16:
          out[x] = Masked(layout, Le16(bytes, row + 2 * x));
          break;
        case 24: {
          const std::size_t at = row + 3 * x;
          out[x] = (std::uint32_t{bytes[at + 2]} << 16) | (std::uint32_t{bytes[at + 1]} << 8) |
                   bytes[at];
          break;
        }
        default:
          out[x] = Masked(layout, Le32(bytes, row + 4 * x));
          break;
      }
    }
  }
}

// Run-length coded pixels: runs, end of line, end of picture, a jump, and
// literal stretches. Pixels the code never reaches keep palette entry 0; a
// stream that ends early ends the picture there.
void DecodeRunLength(Bytes bytes, const Layout& layout, DecodedPicture* picture) {
  const bool four = layout.compression == kRle4;
  const std::size_t width = static_cast<std::size_t>(layout.width);
  const std::size_t height = static_cast<std::size_t>(layout.height);
  std::vector<std::uint8_t> index(width * height, 0);
  std::size_t x = 0, r = 0;
  auto put = [&](std::uint32_t value) {
    if (x < width && r < height) {
      index[(layout.topDown ? r : height - 1 - r) * width + x] = static_cast<std::uint8_t>(value);
    }
    ++x;
  };
  std::size_t at = layout.dataAt;
  while (at + 2 <= bytes.size() && r < height) {
    const std::uint32_t count = bytes[at];
    const std::uint32_t value = bytes[at + 1];
    at += 2;
    if (count > 0) {
      for (std::uint32_t i = 0; i < count; ++i) {
        put(four ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
      }
    } else if (value == 0) {
      x = 0;
      ++r;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (at + 2 > bytes.size()) break;
      x += bytes[at];
      r += bytes[at + 1];
      at += 2;
    } else {
      std::size_t length = four ? (value + 1) / 2 : value;
      length += length & 1;  // literal stretches keep to 16-bit boundaries
      if (at + length > bytes.size()) break;
      for (std::uint32_t i = 0; i < value; ++i) {
        put(static_cast<std::uint32_t>(four ? (bytes[at + i / 2] >> (i % 2 == 0 ? 4 : 0)) & 15
                                            : bytes[at + i]));
      }
      at += length;
    }
  }
  for (std::size_t i = 0; i < index.size(); ++i) picture->rgb[i] = Colour(layout, index[i]);
}

}  // namespace

std::optional<DecodedPicture> DecodeBmp(std::span<const std::uint8_t> bytes, std::string* error) {
  std::string scratch;
  if (error == nullptr) error = &scratch;
  Layout layout;
  if (!ReadLayout(bytes, &layout, error)) return std::nullopt;
  DecodedPicture picture;
  picture.width = layout.width;
  picture.height = layout.height;
  const std::size_t width = static_cast<std::size_t>(layout.width);
  const std::size_t height = static_cast<std::size_t>(layout.height);
  if (layout.compression == kRle8 || layout.compression == kRle4) {
    picture.rgb.resize(width * height);
    DecodeRunLength(bytes, layout, &picture);
    return picture;
  }
  // Checked before the pixels are allocated; the last row may lack its padding.
  if (bytes.size() - layout.dataAt <
      (height - 1) * Stride(layout) + (width * layout.bits + 7) / 8) {
    *error = "pixel data cut short";
    return std::nullopt;
  }
  picture.rgb.resize(width * height);
  DecodeRows(bytes, layout, &picture);
  return picture;
}
