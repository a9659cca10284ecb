// The PNG writer of the icons and screenshots: its checksums, and that its
// compressed stream inflates back to exactly the bytes given.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/png_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Just enough of an inflater for one block of fixed Huffman codes.
class Inflater {
 public:
  explicit Inflater(const Bytes& in) : in_(in) {}

  Bytes Run() {
    EXPECT_EQ(Bits(1), 1u);  // final block
    EXPECT_EQ(Bits(2), 1u);  // fixed codes
    Bytes out;
    static constexpr std::array<int, 29> kLen{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                              15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                              67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr std::array<int, 30> kDist{
        1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    for (;;) {
      const int s = Symbol();
      if (s < 256) {
        out.push_back(static_cast<std::uint8_t>(s));
        continue;
      }
      if (s == 256) return out;
      const int l = s - 257;
      const int lengthExtra = l < 8 || l == 28 ? 0 : (l - 4) / 4;
      const int length = kLen[l] + static_cast<int>(Bits(lengthExtra));
      const int d = static_cast<int>(Reversed(5));
      const int distExtra = d < 4 ? 0 : (d - 2) / 2;
      const int distance = kDist[d] + static_cast<int>(Bits(distExtra));
      if (distance > static_cast<int>(out.size())) {
        ADD_FAILURE() << "distance beyond the start";
        return out;
      }
      for (int i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
    }
  }

 private:
  std::uint32_t Bits(int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v |= Bit() << i;
    return v;
  }
  std::uint32_t Reversed(int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 1) | Bit();
    return v;
  }
  std::uint32_t Bit() {
    if (at_ / 8 >= in_.size()) throw std::runtime_error("ran off the end");
    const std::uint32_t b = (in_[at_ / 8] >> (at_ % 8)) & 1u;
    ++at_;
    return b;
  }
  int Symbol() {
    std::uint32_t code = Reversed(7);
    if (code <= 0x17) return static_cast<int>(code) + 256;
    code = (code << 1) | Bit();
    if (code >= 0x30 && code <= 0xBF) return static_cast<int>(code) - 0x30;
    if (code >= 0xC0 && code <= 0xC7) return static_cast<int>(code) - 0xC0 + 280;
    code = (code << 1) | Bit();
    return static_cast<int>(code) - 0x190 + 144;
  }
  const Bytes& in_;
  std::size_t at_ = 0;
};

Bytes RoundTrip(const Bytes& data) {
  const Bytes z = ZlibCompress(data);
  EXPECT_EQ(z[0], 0x78);
  EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0);  // the header's check bits
  const Bytes deflated(z.begin() + 2, z.end() - 4);
  const Bytes back = Inflater(deflated).Run();
  const std::uint32_t adler =
      (z[z.size() - 4] << 24) | (z[z.size() - 3] << 16) | (z[z.size() - 2] << 8) | z[z.size() - 1];
  EXPECT_EQ(adler, Adler32(data.data(), data.size()));
  return back;
}

TEST(Png, ChecksumsMatchTheirStandardCheckValues) {
  const std::string digits = "123456789";
  const auto* p = reinterpret_cast<const std::uint8_t*>(digits.data());
  EXPECT_EQ(Crc32(p, digits.size()), 0xCBF43926u);
  EXPECT_EQ(Adler32(p, digits.size()), 0x091E01DEu);
  EXPECT_EQ(Adler32(nullptr, 0), 1u);
  // Adler-32 reduces its sums: a long run of 0xFF must not overflow them.
  const Bytes ones(100000, 0xFF);
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : ones) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(Adler32(ones.data(), ones.size()), (b << 16) | a);
}

TEST(Png, CompressedBytesInflateToTheOriginal) {
  std::mt19937 draw(7);
  Bytes noise(5000);
  for (auto& v : noise) v = static_cast<std::uint8_t>(draw());
  Bytes runs;  // long runs and repeated rows, like flat pixel art
  for (int row = 0; row < 200; ++row) {
    for (int x = 0; x < 1921; ++x) runs.push_back(static_cast<std::uint8_t>(x / 300 + row / 50));
  }
  Bytes far;  // a match as far back as the window reaches
  far.insert(far.end(), noise.begin(), noise.begin() + 300);
  far.resize(32768 + 300 - 20, 0);
  far.insert(far.end(), noise.begin(), noise.begin() + 300);
  for (const Bytes& data : {Bytes{}, Bytes{42}, Bytes{1, 2}, noise, runs, far}) {
    EXPECT_EQ(RoundTrip(data), data) << data.size() << " bytes";
  }
  EXPECT_LT(ZlibCompress(runs).size(), runs.size() / 20);
}

TEST(Png, TheFileHasItsChunksInOrderWithGoodChecksums) {
  const auto path = std::filesystem::temp_directory_path() / "pq_png_test.png";
  const Bytes rgba = {255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 128, 1, 2, 3, 4, 5, 6};
  EXPECT_THROW(WritePng(path, 2, 2, true, rgba), std::runtime_error);  // 18 bytes, not 16
  WritePng(path, 3, 2, false, rgba);
  std::ifstream in(path, std::ios::binary);
  const Bytes png((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10}));
  std::vector<std::string> types;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t n =
        (png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
    ASSERT_LE(at + 12 + n, png.size());
    types.emplace_back(png.begin() + at + 4, png.begin() + at + 8);
    const std::size_t c = at + 8 + n;
    const std::uint32_t crc = (png[c] << 24) | (png[c + 1] << 16) | (png[c + 2] << 8) | png[c + 3];
    EXPECT_EQ(crc, Crc32(&png[at + 4], n + 4)) << types.back();
    if (types.back() == "IDAT") {
      const Bytes z(png.begin() + at + 8, png.begin() + at + 8 + n);
      const Bytes raw = Inflater(Bytes(z.begin() + 2, z.end() - 4)).Run();
      // Each row: filter 0, then the pixels as given.
      EXPECT_EQ(raw, (Bytes{0, 255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 0, 255, 128, 1, 2, 3, 4, 5, 6}));
    }
    at = c + 4;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  std::filesystem::remove(path);
}

}  // namespace
