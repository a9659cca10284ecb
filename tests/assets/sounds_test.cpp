// The sixteen generated sounds as the game will read them: the one playback
// format, clean loop points and sensible levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>
#include <vector>

#include "platform/wave_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The six music files first.
constexpr const char* kSounds[] = {
    "world",   "village", "castle",   "castle2",   "battle", "bbattle", "intro",   "button",
    "button2", "getitem", "gameover", "gameover2", "g_arm",  "hp",      "pattack", "eattack"};

std::filesystem::path WavDir() {
  const char* env = std::getenv("PQ_ASSET_DIR");
  return std::filesystem::path(env ? env : PQ_ASSET_DIR) / "wav";
}

// The sample bytes of a file, after checking that its header is the plain
// 44-byte one of 8-bit mono PCM at 11025 Hz and that the game's reader takes it.
Bytes Samples(const std::string& name) {
  std::ifstream in(WavDir() / (name + ".wav"), std::ios::binary);
  const Bytes b{std::istreambuf_iterator<char>(in), {}};
  EXPECT_GE(b.size(), 44u) << name << " is missing or too short";
  if (b.size() < 44) return {};
  auto u32 = [&](std::size_t at) {
    return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
           std::uint32_t{b[at + 3]} << 24;
  };
  const std::size_t size = u32(40);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF") << name;
  EXPECT_EQ(u32(4), b.size() - 8) << name;
  // WAVE; a 16-byte format chunk: PCM, mono, 11025 samples and bytes a second,
  // 1-byte blocks, 8 bits; then the data chunk.
  const std::string format("WAVEfmt \x10\0\0\0\1\0\1\0\x11\x2B\0\0\x11\x2B\0\0\1\0\x08\0data", 32);
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 40), format) << name;
  // The data chunk ends the file, with at most its pad byte after it.
  EXPECT_TRUE(44 + size == b.size() || 45 + size == b.size()) << name;
  std::string error;
  const auto wave = ParseWave(b, &error);
  EXPECT_TRUE(wave && wave->dataSize == size) << name << ": " << error;
  if (44 + size > b.size()) return {};
  return Bytes(b.data() + 44, b.data() + 44 + size);
}

int Distance(std::uint8_t sample) {
  return std::abs(sample - 128);
}

int Peak(const Bytes& s) {
  return std::accumulate(s.begin(), s.end(), 0,
                         [](int p, std::uint8_t v) { return std::max(p, Distance(v)); });
}

double Rms(const Bytes& s, std::size_t from, std::size_t count) {
  double sum = 0;
  for (std::size_t i = from; i < from + count; ++i) sum += Distance(s[i]) * Distance(s[i]);
  return std::sqrt(sum / static_cast<double>(count));
}

TEST(Sounds, EveryFileIsInTheGamesFormatWithCleanEndsAndFullLevels) {
  for (std::size_t i = 0; i < std::size(kSounds); ++i) {
    const bool music = i < 6;
    const std::string name = kSounds[i];
    SCOPED_TRACE(name);
    const Bytes s = Samples(name);
    ASSERT_FALSE(s.empty());
    const double seconds = static_cast<double>(s.size()) / 11025.0;
    if (music) {
      EXPECT_TRUE(seconds >= 20 && seconds <= 60) << seconds << " s";
    } else if (name == "intro") {
      // It plays through the title's fades, about 12.6 s.
      EXPECT_TRUE(seconds >= 12.6 && seconds <= 15) << seconds << " s";
    } else {
      EXPECT_LE(seconds, 10);
    }
    // Every file peaks about 1 dB under full scale, except the game-over
    // halves, which always play together and share that level.
    const bool half = name == "gameover" || name == "gameover2";
    EXPECT_NEAR(Peak(s), half ? 57 : 114, 1);
    const double mean = std::accumulate(s.begin(), s.end(), 0.0) / static_cast<double>(s.size());
    EXPECT_NEAR(mean, 128.0, music ? 1.5 : 2.0);
    if (!music) {
      // Starting and stopping near the midpoint: no click at either end.
      EXPECT_LE(std::max(Distance(s.front()), Distance(s.back())), 2);
      continue;
    }
    // A loop plays its first sample right after its last: the step across
    // the seam is no bigger than the steps the music takes around it, and
    // the seam neither drops out nor swells.
    const std::size_t ms50 = 11025 / 20;
    int steepest = 0;
    for (std::size_t k = 1; k < ms50; ++k) {
      steepest = std::max(
          {steepest, std::abs(s[k] - s[k - 1]), std::abs(s[s.size() - k] - s[s.size() - k - 1])});
    }
    EXPECT_LE(std::abs(s.front() - s.back()), steepest);
    const double average = Rms(s, 0, s.size());
    for (const std::size_t from : {std::size_t{0}, s.size() - ms50}) {
      EXPECT_GT(Rms(s, from, ms50), 0.3 * average) << "at sample " << from;
      EXPECT_LT(Rms(s, from, ms50), 3.0 * average) << "at sample " << from;
    }
  }
  std::uintmax_t total = 0;
  for (const auto& entry : std::filesystem::directory_iterator(WavDir()))
    total += entry.file_size();
  EXPECT_LT(total, 3u * 1024 * 1024) << "the sound set should stay small";
  // A cursor blip that rang on would blur quick menu moves together.
  EXPECT_LE(Samples("button").size(), 11025u / 4);
  // The game-over halves start together, end together, and their sum stays in 8 bits.
  const Bytes melody = Samples("gameover"), bass = Samples("gameover2");
  EXPECT_EQ(melody.size(), bass.size());
  EXPECT_LE(Peak(melody) + Peak(bass), 127);
}

}  // namespace
