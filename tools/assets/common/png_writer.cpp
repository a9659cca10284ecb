#include "common/png_writer.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

// Bits go into bytes from the lowest bit up, as deflate packs them.
class BitWriter {
 public:
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1u);
  }
  // Huffman codes are sent from their highest bit down.
  void Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1u);
  }
  std::vector<std::uint8_t> Take() {
    if (used_ > 0) out_.push_back(current_);
    used_ = 0;
    current_ = 0;
    return std::move(out_);
  }

 private:
  void Bit(std::uint32_t b) {
    current_ |= static_cast<std::uint8_t>(b << used_);
    if (++used_ == 8) {
      out_.push_back(current_);
      used_ = 0;
      current_ = 0;
    }
  }
  std::vector<std::uint8_t> out_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

// The fixed literal/length code of deflate.
void Symbol(BitWriter& w, int s) {
  if (s < 144) {
    w.Code(0x30 + s, 8);
  } else if (s < 256) {
    w.Code(0x190 + s - 144, 9);
  } else if (s < 280) {
    w.Code(s - 256, 7);
  } else {
    w.Code(0xC0 + s - 280, 8);
  }
}

constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                          15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                          67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& w, int length, int distance) {
  int l = 28;
  while (kLengthBase[l] > length) --l;
  Symbol(w, 257 + l);
  w.Bits(length - kLengthBase[l], kLengthExtra[l]);
  int d = 29;
  while (kDistBase[d] > distance) --d;
  w.Code(d, 5);
  w.Bits(distance - kDistBase[d], kDistExtra[d]);
}

constexpr int kWindow = 32768;
constexpr int kLongest = 258;
constexpr int kHashBits = 15;
constexpr int kChainSteps = 64;

std::uint32_t Hash3(const std::uint8_t* p) {
  return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & ((1u << kHashBits) - 1);
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

void Chunk(std::vector<std::uint8_t>& out, const char* type,
           const std::vector<std::uint8_t>& body) {
  PutBig32(out, static_cast<std::uint32_t>(body.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t a = 1, b = 0;
  for (std::size_t i = 0; i < size; ++i) {
    a = (a + data[i]) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data) {
  BitWriter w;
  w.Bits(1, 1);  // the final block
  w.Bits(1, 2);  // fixed Huffman codes
  const int n = static_cast<int>(data.size());
  std::vector<int> head(1u << kHashBits, -1);
  std::vector<int> previous(static_cast<std::size_t>(n), -1);
  auto remember = [&](int at) {
    if (at + 2 >= n) return;
    const std::uint32_t h = Hash3(&data[at]);
    previous[at] = head[h];
    head[h] = at;
  };
  int i = 0;
  while (i < n) {
    int bestLength = 0;
    int bestDistance = 0;
    if (i + 2 < n) {
      int candidate = head[Hash3(&data[i])];
      for (int step = 0; step < kChainSteps && candidate >= 0 && i - candidate <= kWindow; ++step) {
        int length = 0;
        const int most = std::min(kLongest, n - i);
        while (length < most && data[candidate + length] == data[i + length]) ++length;
        if (length > bestLength) {
          bestLength = length;
          bestDistance = i - candidate;
          if (length == most) break;
        }
        candidate = previous[candidate];
      }
    }
    if (bestLength >= 3) {
      Match(w, bestLength, bestDistance);
      for (int k = 0; k < bestLength; ++k) remember(i + k);
      i += bestLength;
    } else {
      Symbol(w, data[i]);
      remember(i);
      ++i;
    }
  }
  Symbol(w, 256);  // end of block
  std::vector<std::uint8_t> out{0x78, 0x01};
  const std::vector<std::uint8_t> deflated = w.Take();
  out.insert(out.end(), deflated.begin(), deflated.end());
  PutBig32(out, Adler32(data.data(), data.size()));
  return out;
}

void WritePng(const std::filesystem::path& file, int width, int height, bool alpha,
              const std::vector<std::uint8_t>& pixels) {
  const std::size_t stride = static_cast<std::size_t>(width) * (alpha ? 4 : 3);
  if (width <= 0 || height <= 0 || pixels.size() != stride * static_cast<std::size_t>(height)) {
    throw std::runtime_error("bad picture for " + file.string());
  }
  // Every row starts with filter type 0: the bytes as they are.
  std::vector<std::uint8_t> raw;
  raw.reserve((stride + 1) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    const auto row =
        pixels.begin() + static_cast<std::ptrdiff_t>(stride * static_cast<std::size_t>(y));
    raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(stride));
  }
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBig32(header, static_cast<std::uint32_t>(width));
  PutBig32(header, static_cast<std::uint32_t>(height));
  header.push_back(8);                     // bits per channel
  header.push_back(alpha ? 6 : 2);         // RGBA or RGB
  header.insert(header.end(), {0, 0, 0});  // deflate, adaptive filters, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", ZlibCompress(raw));
  Chunk(png, "IEND", {});
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}
