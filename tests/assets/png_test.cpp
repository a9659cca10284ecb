// The PNG writer of the icons and screenshots: its checksums, and that its
// compressed stream inflates back to exactly the bytes given.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/png_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// Inflates a zlib stream of one final block of fixed Huffman codes, the only
// kind the writer makes, and checks its header and checksum on the way.
Bytes Inflate(const Bytes& z) {
  EXPECT_TRUE(z.size() >= 6 && z[0] == 0x78 && (z[0] * 256 + z[1]) % 31 == 0);
  std::size_t at = 16;  // bits, past the two header bytes
  auto bit = [&] {
    if (at / 8 + 4 >= z.size()) throw std::runtime_error("ran off the end");
    const int b = (z[at / 8] >> (at % 8)) & 1;
    ++at;
    return b;
  };
  auto bits = [&](int n) {  // least significant bit first
    int v = 0;
    for (int i = 0; i < n; ++i) v |= bit() << i;
    return v;
  };
  auto code = [&](int n, int v = 0) {  // Huffman codes: most significant bit first
    for (int i = 0; i < n; ++i) v = v << 1 | bit();
    return v;
  };
  EXPECT_EQ(bits(3), 3);  // final block, fixed codes
  Bytes out;
  for (;;) {
    int s = code(7);  // 256-279 in 7 bits, 0-143 and 280-287 in 8, 144-255 in 9
    if (s <= 0x17) {
      s += 256;
    } else if ((s = code(1, s)) < 0xC0) {
      s -= 0x30;
    } else {
      s = s < 0xC8 ? s + 280 - 0xC0 : code(1, s) - 0x190 + 144;
    }
    if (s < 256) {
      out.push_back(static_cast<std::uint8_t>(s));
      continue;
    }
    if (s == 256) break;
    const int l = s - 257, lx = l < 8 || l == 28 ? 0 : (l - 4) / 4;
    const int length = (l == 28 ? 258 : l < 8 ? 3 + l : ((4 + l % 4) << lx) + 3) + bits(lx);
    const int d = code(5), dx = d < 4 ? 0 : (d - 2) / 2;
    const int distance = (d < 4 ? 1 + d : ((2 + d % 2) << dx) + 1) + bits(dx);
    if (distance > static_cast<int>(out.size()))
      throw std::runtime_error("distance before the start");
    for (int i = 0; i < length; ++i)
      out.push_back(out[out.size() - static_cast<std::size_t>(distance)]);
  }
  EXPECT_EQ(BigEndian32(&z[z.size() - 4]), Adler32(out.data(), out.size()));
  return out;
}

TEST(Png, ChecksumsMatchTheirStandardCheckValues) {
  const auto* digits = reinterpret_cast<const std::uint8_t*>("123456789");
  EXPECT_EQ(Crc32(digits, 9), 0xCBF43926u);
  EXPECT_EQ(Adler32(digits, 9), 0x091E01DEu);
  EXPECT_EQ(Adler32(nullptr, 0), 1u);
  // Adler-32 reduces its sums: a long run of 0xFF must not overflow them.
  const Bytes ones(100000, 0xFF);
  EXPECT_EQ(Adler32(ones.data(), ones.size()), 0x149A302Cu);
}

TEST(Png, CompressedBytesInflateToTheOriginal) {
  std::mt19937 draw(7);
  Bytes noise(5000);
  for (auto& v : noise) v = static_cast<std::uint8_t>(draw());
  Bytes runs;  // long runs and repeated rows, like flat pixel art
  for (int i = 0; i < 200 * 1921; ++i)
    runs.push_back(static_cast<std::uint8_t>(i % 1921 / 300 + i / 1921 / 50));
  Bytes far(noise.begin(), noise.begin() + 300);  // a match as far back as the window reaches
  far.resize(32768 + 300 - 20, 0);
  far.insert(far.end(), noise.begin(), noise.begin() + 300);
  for (const Bytes& data : {Bytes{}, Bytes{42}, Bytes{1, 2}, noise, runs, far})
    EXPECT_EQ(Inflate(ZlibCompress(data)), data) << data.size() << " bytes";
  EXPECT_LT(ZlibCompress(runs).size(), runs.size() / 20);
}

TEST(Png, TheFileHasItsChunksInOrderWithGoodChecksums) {
  const auto path = std::filesystem::temp_directory_path() / "pq_png_test.png";
  const Bytes rgba = {255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 128, 1, 2, 3, 4, 5, 6};
  EXPECT_THROW(WritePng(path, 2, 2, true, rgba), std::runtime_error);  // 18 bytes, not 16
  WritePng(path, 3, 2, false, rgba);
  std::ifstream in(path, std::ios::binary);
  const Bytes png((std::istreambuf_iterator<char>(in)), {});
  std::filesystem::remove(path);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10}));
  std::vector<std::string> types;
  for (std::size_t at = 8; at + 12 <= png.size(); at += 12 + BigEndian32(&png[at])) {
    const std::uint32_t n = BigEndian32(&png[at]);
    ASSERT_LE(at + 12 + n, png.size());
    types.emplace_back(png.data() + at + 4, png.data() + at + 8);
    EXPECT_EQ(BigEndian32(&png[at + 8 + n]), Crc32(&png[at + 4], n + 4)) << types.back();
    // Each row: filter 0, then the pixels as given.
    if (types.back() == "IDAT") {
      EXPECT_EQ(Inflate(Bytes(png.data() + at + 8, png.data() + at + 8 + n)),
                (Bytes{0, 255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 0, 255, 128, 1, 2, 3, 4, 5, 6}));
    }
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
}

}  // namespace
