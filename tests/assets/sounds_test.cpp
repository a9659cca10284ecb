// Checks the sixteen generated sounds as the game will read them: the file
// layout, the one playback format, clean loop points and sensible levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/wave_file.h"

namespace {

constexpr const char* kMusic[] = {"world", "village", "castle", "castle2", "battle", "bbattle"};
constexpr const char* kEffects[] = {"intro",     "button", "button2", "getitem", "gameover",
                                    "gameover2", "g_arm",  "hp",      "pattack", "eattack"};

std::filesystem::path WavDir() {
  const char* dir = std::getenv("PQ_ASSET_DIR");
#ifdef PQ_ASSET_DIR
  if (dir == nullptr) dir = PQ_ASSET_DIR;
#endif
  return std::filesystem::path(dir != nullptr ? dir : ".") / "wav";
}

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 |
         static_cast<std::uint32_t>(bytes.at(at + 3)) << 24;
}

std::uint32_t Read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes.at(at) | bytes.at(at + 1) << 8;
}

std::string Tag(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::string(bytes.begin() + at, bytes.begin() + at + 4);
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// The sample bytes of a file, after checking its whole layout.
std::vector<std::uint8_t> LoadSamples(const std::string& name) {
  const std::filesystem::path file = WavDir() / (name + ".wav");
  const std::vector<std::uint8_t> bytes = ReadFile(file);
  EXPECT_GE(bytes.size(), 44u) << file;
  if (bytes.size() < 44) return {};
  EXPECT_EQ(Tag(bytes, 0), "RIFF") << name;
  EXPECT_EQ(Read32(bytes, 4), bytes.size() - 8) << name;
  EXPECT_EQ(Tag(bytes, 8), "WAVE") << name;
  EXPECT_EQ(Tag(bytes, 12), "fmt ") << name;
  EXPECT_EQ(Read32(bytes, 16), 16u) << name;
  EXPECT_EQ(Read16(bytes, 20), 1u) << name << ": PCM";
  EXPECT_EQ(Read16(bytes, 22), 1u) << name << ": mono";
  EXPECT_EQ(Read32(bytes, 24), 11025u) << name << ": samples per second";
  EXPECT_EQ(Read32(bytes, 28), 11025u) << name << ": bytes per second";
  EXPECT_EQ(Read16(bytes, 32), 1u) << name << ": block alignment";
  EXPECT_EQ(Read16(bytes, 34), 8u) << name << ": bits per sample";
  EXPECT_EQ(Tag(bytes, 36), "data") << name;
  const std::uint32_t size = Read32(bytes, 40);
  EXPECT_LE(44 + size, bytes.size()) << name << ": data chunk runs past the file";
  EXPECT_GE(44 + size + 1, bytes.size()) << name << ": bytes after the data chunk";
  if (44 + size > bytes.size()) return {};
  return {bytes.begin() + 44, bytes.begin() + 44 + size};
}

int Distance(std::uint8_t sample) {
  return std::abs(static_cast<int>(sample) - 128);
}

int Peak(const std::vector<std::uint8_t>& samples) {
  int peak = 0;
  for (std::uint8_t sample : samples) peak = std::max(peak, Distance(sample));
  return peak;
}

double Mean(const std::vector<std::uint8_t>& samples) {
  double sum = 0;
  for (std::uint8_t sample : samples) sum += sample;
  return samples.empty() ? 128.0 : sum / static_cast<double>(samples.size());
}

TEST(Sounds, EveryFileIsEightBitMonoPcmAtTheGamesRate) {
  std::uintmax_t total = 0;
  for (const char* name : kMusic) EXPECT_FALSE(LoadSamples(name).empty()) << name;
  for (const char* name : kEffects) EXPECT_FALSE(LoadSamples(name).empty()) << name;
  for (const auto& entry : std::filesystem::directory_iterator(WavDir()))
    total += entry.file_size();
  EXPECT_LT(total, 3u * 1024 * 1024) << "the sound set should stay small";
}

TEST(Sounds, TheGamesOwnReaderTakesEveryFile) {
  std::vector<const char*> names(std::begin(kMusic), std::end(kMusic));
  names.insert(names.end(), std::begin(kEffects), std::end(kEffects));
  for (const char* name : names) {
    const std::vector<std::uint8_t> bytes = ReadFile(WavDir() / (std::string(name) + ".wav"));
    std::string error;
    const std::optional<WaveData> wave = ParseWave(bytes, &error);
    ASSERT_TRUE(wave.has_value()) << name << ": " << error;
    EXPECT_EQ(wave->sampleRate, 11025u) << name;
    EXPECT_EQ(wave->dataSize, LoadSamples(name).size()) << name;
  }
}

TEST(Sounds, MusicLoopsCloseWithoutAClickAndLeaveHeadroom) {
  for (const char* name : kMusic) {
    SCOPED_TRACE(name);
    const std::vector<std::uint8_t> samples = LoadSamples(name);
    ASSERT_FALSE(samples.empty());
    const double seconds = samples.size() / 11025.0;
    EXPECT_GE(seconds, 20.0);
    EXPECT_LE(seconds, 60.0);
    // Looping plays the first sample right after the last one.
    EXPECT_LE(std::abs(samples.front() - samples.back()), 2);
    EXPECT_LE(Distance(samples.front()), 3);
    EXPECT_LE(Distance(samples.back()), 3);
    // Loud enough to be heard, quiet enough to mix with effects.
    EXPECT_GE(Peak(samples), 40);
    EXPECT_LE(Peak(samples), 70);
    EXPECT_NEAR(Mean(samples), 128.0, 1.5);
  }
}

TEST(Sounds, EffectsAreShortCleanAndAudible) {
  for (const char* name : kEffects) {
    SCOPED_TRACE(name);
    const std::vector<std::uint8_t> samples = LoadSamples(name);
    ASSERT_FALSE(samples.empty());
    EXPECT_LE(samples.size() / 11025.0, 10.0);
    EXPECT_GE(Peak(samples), 30);
    EXPECT_LT(Peak(samples), 127) << "clipped";
    // Starting and stopping at the midpoint: no click at either end.
    EXPECT_LE(Distance(samples.front()), 2);
    EXPECT_LE(Distance(samples.back()), 2);
    EXPECT_NEAR(Mean(samples), 128.0, 2.0);
  }
  // A cursor blip that rang on would blur quick menu moves together.
  EXPECT_LE(LoadSamples("button").size(), 11025u / 4);
}

TEST(Sounds, GameOverHalvesFitTogether) {
  const std::vector<std::uint8_t> melody = LoadSamples("gameover");
  const std::vector<std::uint8_t> bass = LoadSamples("gameover2");
  EXPECT_EQ(melody.size(), bass.size()) << "started together, they should end together";
  // Both play at once, so their sum must stay inside the 8-bit range.
  EXPECT_LE(Peak(melody) + Peak(bass), 127);
}

}  // namespace
