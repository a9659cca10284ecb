// The WAV reader and the sound table, over virtual time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/headless_host.h"
#include "platform/data_files.h"
#include "platform/host_link.h"
#include "platform/sound.h"
#include "platform/wave_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b.push_back((v >> (8 * i)) & 0xFF);
}
void Chunk(Bytes& b, const char* id, const Bytes& body, std::uint32_t sizeField) {
  b.insert(b.end(), id, id + 4);
  Put(b, sizeField, 4);
  b.insert(b.end(), body.begin(), body.end());
}
Bytes Format(int tag, int channels, int rate, int bits, int size = 16) {
  Bytes f;
  Put(f, tag, 2);
  Put(f, channels, 2);
  Put(f, rate, 4);
  Put(f, rate * channels * bits / 8, 4);
  Put(f, channels * bits / 8, 2);
  Put(f, bits, 2);
  while (static_cast<int>(f.size()) < size) f.push_back(0);
  return f;
}
// A RIFF WAVE file of the given sub-chunks.
Bytes Wave(const std::vector<std::pair<const char*, Bytes>>& chunks) {
  Bytes form;
  for (const auto& [id, body] : chunks) Chunk(form, id, body, body.size());
  Bytes file;
  Chunk(file, "RIFF", {}, 4 + form.size());
  file.insert(file.end(), {'W', 'A', 'V', 'E'});
  file.insert(file.end(), form.begin(), form.end());
  return file;
}
Bytes Samples(std::size_t n, std::uint8_t v = 200) { return Bytes(n, v); }

TEST(WaveFile, ReadsTheGamesOwnFormat) {
  std::string error;
  auto wave = ParseWave(Wave({{"fmt ", Format(1, 1, 11025, 8)}, {"data", Samples(1000)}}), &error);
  ASSERT_TRUE(wave) << error;
  EXPECT_EQ(wave->sampleRate, 11025u);
  EXPECT_EQ(wave->dataSize, 1000u);
  EXPECT_EQ(wave->samples.size(), 1000u);
  EXPECT_EQ(wave->samples[0], (200 - 128) << 8);
}

TEST(WaveFile, FindsTheFormatChunkBehindOthers) {
  auto wave = ParseWave(Wave({{"LIST", Bytes{1, 0, 1, 0}}, {"JUNK", Bytes(6, 0)},
                              {"fmt ", Format(1, 1, 11025, 8, 18)}, {"data", Samples(10)}}),
                        nullptr);
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->samples.size(), 10u);
}

TEST(WaveFile, RefusesWhatIsNotPcmOrNotWave) {
  std::string error;
  EXPECT_FALSE(ParseWave(Wave({{"fmt ", Format(3, 1, 11025, 8)}, {"data", Samples(4)}}), &error));
  EXPECT_NE(error.find("PCM"), std::string::npos);
  EXPECT_FALSE(ParseWave(Wave({{"fmt ", Format(1, 1, 11025, 8)}}), &error));
  EXPECT_FALSE(ParseWave(Wave({{"data", Samples(4)}}), &error));
  EXPECT_FALSE(ParseWave(Bytes{'R', 'I', 'F', 'F'}, &error));
  EXPECT_FALSE(ParseWave(Bytes{}, &error));
}

TEST(WaveFile, UsesOnlyTheDataBytesThatExist) {
  Bytes file = Wave({{"fmt ", Format(1, 1, 11025, 8)}});
  Chunk(file, "data", Samples(100), 1'000'000);  // claims far more than is there
  auto wave = ParseWave(file, nullptr);
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->dataSize, 100u);
  EXPECT_EQ(wave->samples.size(), 100u);
}

TEST(WaveFile, PlaysSixteenBitStereoAsItsHeaderSays) {
  Bytes data;
  for (int i = 0; i < 44100; ++i) {  // one second of 44.1 kHz stereo
    Put(data, 0x4000, 2);
    Put(data, 0x4000, 2);
  }
  auto wave = ParseWave(Wave({{"fmt ", Format(1, 2, 44100, 16)}, {"data", data}}), nullptr);
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->sampleRate, 44100u);
  EXPECT_EQ(wave->samples.size(), 11025u);  // one second at the mix rate
  EXPECT_EQ(wave->samples[500], 0x4000);
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("pq-sound-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir / "wav");
    SetDataFolders({dir});
    AttachHost(&host);
    ASSERT_EQ(InitSound(), 1);
  }
  void TearDown() override {
    ShutdownSound();
    AttachHost(nullptr);
    std::filesystem::remove_all(dir);
  }
  void Write(const std::string& name, const Bytes& bytes) {
    std::ofstream(dir / "wav" / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // A sound of `ms` milliseconds in the game's format.
  SoundId Load(const std::string& name, int ms) {
    Write(name, Wave({{"fmt ", Format(1, 1, 11025, 8)}, {"data", Samples(11025 * ms / 1000)}}));
    return LoadWave(("wav\\" + name).c_str(), 0xE0);
  }
  std::filesystem::path dir;
  HeadlessHost host;
};

TEST_F(SoundTest, APlayOnceRunsForItsLengthThenStops) {
  const SoundId id = Load("blip.wav", 100);
  ASSERT_EQ(id, 0);
  EXPECT_EQ(SlotStatus(id), 0);
  PlaySlot(id, kPlayOnce);
  EXPECT_EQ(SlotStatus(id), kSoundPlaying);
  host.Sleep(95);
  EXPECT_EQ(SlotStatus(id), kSoundPlaying);
  host.Sleep(10);
  EXPECT_EQ(SlotStatus(id), 0);
}

TEST_F(SoundTest, ALoopPlaysUntilStoppedAndReleaseEmptiesTheSlot) {
  const SoundId id = Load("music.wav", 50);
  PlaySlot(id, kPlayLooped);
  host.Sleep(1000);
  EXPECT_EQ(SlotStatus(id), kSoundPlaying | kSoundLooping);
  StopSlot(id);
  EXPECT_EQ(SlotStatus(id), 0);
  ReleaseSlot(id);
  EXPECT_EQ(SlotStatus(id), -1);
  EXPECT_EQ(SoundSlotAt(id).inUse, 1u);  // only a reset frees the slot
}

TEST_F(SoundTest, PlayingAgainStartsFromTheBeginning) {
  const SoundId id = Load("blip.wav", 100);
  PlaySlot(id, kPlayOnce);
  host.Sleep(80);
  PlaySlot(id, kPlayOnce);
  host.Sleep(80);
  EXPECT_EQ(SlotStatus(id), kSoundPlaying);
}

TEST_F(SoundTest, NoSoundIdsDoNothing) {
  EXPECT_EQ(PlaySlot(-1, kPlayOnce), 1);
  EXPECT_EQ(StopSlot(64), 1);
  EXPECT_EQ(SlotStatus(-1), -1);
  EXPECT_EQ(SlotStatus(63), -1);
}

TEST_F(SoundTest, LoadsFillSlotsInOrderUntilTheTableIsFull) {
  Write("s.wav", Wave({{"fmt ", Format(1, 1, 11025, 8)}, {"data", Samples(10)}}));
  for (int i = 0; i < kSoundSlots; ++i) ASSERT_EQ(LoadWave("wav\\s.wav", 0xE0), i);
  std::string error;
  EXPECT_EQ(LoadWave("wav\\s.wav", 0xE0, &error), -1);
  EXPECT_NE(error.find("slots"), std::string::npos);
  InitSound();
  EXPECT_EQ(LoadWave("wav\\s.wav", 0xE0), 0);
}

TEST_F(SoundTest, AFailedLoadNamesTheFileAndTakesNoSlot) {
  std::string error;
  EXPECT_EQ(LoadWave("wav\\missing.wav", 0xE0, &error), -1);
  EXPECT_NE(error.find("missing.wav"), std::string::npos);
  Write("bad.wav", Wave({{"fmt ", Format(2, 1, 11025, 8)}, {"data", Samples(4)}}));
  EXPECT_EQ(LoadWave("wav\\bad.wav", 0xE0, &error), -1);
  EXPECT_NE(error.find("bad.wav"), std::string::npos);
  EXPECT_EQ(Load("good.wav", 10), 0);
}

TEST_F(SoundTest, TheSampleRateFieldKeepsTheHeadersRate) {
  Write("hi.wav", Wave({{"fmt ", Format(1, 2, 44100, 16)}, {"data", Samples(400)}}));
  const SoundId id = LoadWave("wav\\hi.wav", 0xE0);
  ASSERT_EQ(id, 0);
  EXPECT_EQ(SoundSlotAt(id).sampleRate, 44100u);
  EXPECT_EQ(SoundSlotAt(id).name, "hi");
}

}  // namespace
