// The WAV reader, the data-file reader and the sound table, over virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/headless_host.h"
#include "platform/data_files.h"
#include "platform/host_link.h"
#include "platform/sound.h"
#include "platform/wave_file.h"
#include "support/scratch_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

// A chunk; an odd body is followed by its pad byte.
void Chunk(Bytes& b, const char* id, const Bytes& body, std::uint32_t sizeField) {
  b.insert(b.end(), id, id + 4);
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(sizeField >> (8 * i)));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() % 2 != 0) b.push_back(0);
}
Bytes Format(int tag, int channels, int rate, int bits) {
  Bytes f;
  for (auto [v, n] : {std::pair{tag, 2},
                      {channels, 2},
                      {rate, 4},
                      {rate * channels * bits / 8, 4},
                      {channels * bits / 8, 2},
                      {bits, 2}}) {
    for (int i = 0; i < n; ++i) f.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  return f;
}
// A RIFF WAVE file of the given sub-chunks.
Bytes Wave(const std::vector<std::pair<const char*, Bytes>>& chunks) {
  Bytes form;
  for (const auto& [id, body] : chunks)
    Chunk(form, id, body, static_cast<std::uint32_t>(body.size()));
  Bytes file;
  Chunk(file, "RIFF", {}, static_cast<std::uint32_t>(4 + form.size()));
  file.insert(file.end(), {'W', 'A', 'V', 'E'});
  file.insert(file.end(), form.begin(), form.end());
  return file;
}
Bytes GameWave(std::size_t samples) {
  return Wave({{"fmt ", Format(1, 1, 11025, 8)}, {"data", Bytes(samples, 200)}});
}

// Chunks before the format chunk are skipped, even ones that start 1 0 and
// odd ones with their pad byte; a data chunk that claims more than is there
// gives only what is there. What is not PCM in a RIFF WAVE file, or at a rate
// the mixer cannot convert, is refused with its reason.
TEST(WaveFile, FindsItsChunksAnywhereAndRefusesWhatItCannotPlay) {
  Bytes claims = Wave({{"fmt ", Format(1, 1, 11025, 8)}});
  Chunk(claims, "data", Bytes(100, 200), 1'000'000);
  const struct {
    Bytes file;
    std::uint32_t bytes;
    const char* reason;  // null: read
  } cases[] = {
      {GameWave(1000), 1000, nullptr},
      {Wave({{"LIST", Bytes{1, 0, 1}},
             {"JUNK", Bytes(6, 0)},
             {"fmt ", Format(1, 1, 11025, 8)},
             {"data", Bytes(10, 200)}}),
       10, nullptr},
      {claims, 100, nullptr},
      {Wave({{"fmt ", Format(2, 1, 11025, 8)}, {"data", Bytes(4)}}), 0, "not PCM"},
      {Wave({{"fmt ", Format(1, 1, 11025, 8)}, {"JUNK", Bytes(2)}}), 0, "no data chunk"},
      {Wave({{"data", Bytes(4)}}), 0, "no format chunk"},
      {Bytes{'R', 'I', 'F', 'F'}, 0, "not a RIFF WAVE"},
      {Bytes{}, 0, "not a RIFF WAVE"},
      {Wave({{"fmt ", Format(1, 1, 0, 8)}, {"data", Bytes(400)}}), 0, "sample rate"},
      {Wave({{"fmt ", Format(1, 1, 999, 8)}, {"data", Bytes(400)}}), 0, "sample rate"},
      {Wave({{"fmt ", Format(1, 1, 384001, 8)}, {"data", Bytes(400)}}), 0, "sample rate"},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto wave = ParseWave(c.file, &error);
    ASSERT_EQ(wave.has_value(), c.reason == nullptr) << &c - cases << ": " << error;
    if (!wave) {
      EXPECT_NE(error.find(c.reason), std::string::npos) << &c - cases << ": " << error;
      continue;
    }
    EXPECT_EQ(wave->sampleRate, 11025u);
    EXPECT_EQ(wave->dataSize, c.bytes);
    EXPECT_EQ(wave->samples.size(), c.bytes);
    EXPECT_EQ(wave->samples[0], (200 - 128) << 8);
  }
}

// Layouts the mixer converts: each gives one second of sound at the mix rate;
// 12-bit samples or no channels play the bytes as 8-bit mono at that rate.
TEST(WaveFile, ConvertsEveryPcmLayoutAndPlaysTheRestAsBytes) {
  const struct {
    const char* what;
    int tag, channels, bits, rate;
    std::size_t fmtBytes;
    Bytes half;  // one sample at half the full level, one second of them
    std::size_t samples = 11025;
  } cases[] = {
      {"8-bit mono", 1, 1, 8, 11025, 16, {0xC0}},
      {"16-bit stereo 44.1 kHz", 1, 2, 16, 44100, 16, {0, 0x40}},
      {"24-bit", 1, 1, 24, 22050, 16, {0, 0, 0x40}},
      {"32-bit", 1, 1, 32, 48000, 16, {0, 0, 0, 0x40}},
      {"32-bit float", 3, 1, 32, 11025, 16, {0, 0, 0, 0x3F}},
      {"64-bit float, 6 channels", 3, 6, 64, 8000, 16, {0, 0, 0, 0, 0, 0, 0xE0, 0x3F}},
      {"14-byte format chunk", 1, 2, 16, 11025, 14, {0, 0x40}},
      {"18-byte format chunk", 1, 1, 16, 11025, 18, {0, 0x40}},
      {"extensible, 24-bit", 0xFFFE, 2, 24, 11025, 40, {0, 0, 0x40}},
      {"the highest rate", 1, 1, 8, 384000, 16, {0xC0}},
      {"12-bit", 1, 1, 12, 44100, 16, {0xC0}, 44100},
      {"no channels", 1, 0, 16, 44100, 16, {0xC0}, 44100},
  };
  for (const auto& c : cases) {
    Bytes fmt = Format(c.tag, c.channels, c.rate, c.bits);
    fmt.resize(c.fmtBytes, 0);
    if (c.tag == 0xFFFE) fmt[24] = 1;  // the PCM sub-format
    Bytes data;
    for (int i = 0; i < c.rate * std::max(c.channels, 1); ++i)
      data.insert(data.end(), c.half.begin(), c.half.end());
    std::string error;
    const auto wave = ParseWave(Wave({{"fmt ", fmt}, {"data", data}}), &error);
    ASSERT_TRUE(wave) << c.what << ": " << error;
    EXPECT_EQ(wave->sampleRate, static_cast<std::uint32_t>(c.rate)) << c.what;
    EXPECT_EQ(wave->samples.size(), c.samples) << c.what;
    EXPECT_EQ(wave->samples[5000], c.tag == 3 ? 16383 : 16384) << c.what;
  }
  // The lowest rate with 2 MB of data would make 22 million samples.
  const auto slow =
      ParseWave(Wave({{"fmt ", Format(1, 1, 1000, 8)}, {"data", Bytes(2'000'000, 128)}}), nullptr);
  ASSERT_TRUE(slow);
  EXPECT_EQ(slow->samples.size(), std::size_t{1} << 24);
}

// Files far beyond any picture or sound are refused without being read;
// devices and pipes are read only up to the limit.
TEST(DataFiles, ReadsNoMoreThanTheLimitWhateverTheFileIs) {
  const ScratchDir scratch("pq-files");
  const fs::path& dir = scratch.path;
  fs::create_directories(dir / "folder");
  fs::resize_file((std::ofstream(dir / "sparse"), dir / "sparse"),
                  std::uintmax_t{40} << 30);  // costs no disk
  std::ofstream(dir / "small") << "twelve bytes";
  const std::pair<fs::path, const char*> cases[] = {
      {dir / "sparse", "more than 1000 bytes"},
      {"/dev/zero", "more than 1000 bytes"},
      {dir / "folder", "is a folder"},
      {dir / "missing", "cannot be opened"},
      {dir / "small", nullptr},  // read whole
  };
  for (const auto& [path, reason] : cases) {
    std::string error;
    const auto bytes = ReadWholeFile(path, 1000, &error);
    EXPECT_EQ(bytes.has_value(), reason == nullptr) << path;
    EXPECT_EQ(bytes ? bytes->size() : 0u, reason ? 0u : 12u) << path;
    EXPECT_NE(error.find(reason ? reason : ""), std::string::npos) << path << ": " << error;
  }
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir / "wav");
    SetDataFolders({dir});
    AttachHost(&host);
    ASSERT_EQ(InitSound(), 1);
  }
  void TearDown() override {
    ShutdownSound();
    AttachHost(nullptr);
  }
  SoundId Load(const std::string& name, const Bytes& bytes) {
    std::ofstream(dir / "wav" / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return LoadWave(("wav\\" + name).c_str(), 0xE0, &error);
  }
  const ScratchDir scratch{"pq-sound"};
  const fs::path& dir = scratch.path;
  HeadlessHost host;
  std::string error;
};

// A sound played again starts from its beginning; a loop plays until stopped;
// ids that name no sound start and stop nothing.
TEST_F(SoundTest, APlayOnceRunsItsLengthALoopUntilStoppedAndStrayIdsDoNothing) {
  const SoundId id = Load("blip.wav", GameWave(1102));  // 100 ms
  ASSERT_EQ(id, 0);
  EXPECT_EQ(SoundSlotAt(id).name, "blip");
  EXPECT_EQ(SlotStatus(id), 0);
  PlaySlot(id, kPlayOnce);
  host.Sleep(80);
  PlaySlot(id, kPlayOnce);
  host.Sleep(95);
  EXPECT_EQ(SlotStatus(id), kSoundPlaying);
  host.Sleep(10);
  EXPECT_EQ(SlotStatus(id), 0);

  PlaySlot(id, kPlayLooped);
  host.Sleep(1000);
  EXPECT_EQ(SlotStatus(id), kSoundPlaying | kSoundLooping);
  StopSlot(id);
  EXPECT_EQ(SlotStatus(id), 0);
  ReleaseSlot(id);
  EXPECT_EQ(SlotStatus(id), -1);
  EXPECT_EQ(SoundSlotAt(id).inUse, 1u);  // only a reset frees the slot
  const SoundId other = Load("other.wav", GameWave(551));
  PlaySlot(other, kPlayLooped);
  PlaySlot(-1, kPlayOnce);
  StopSlot(64);
  StopSlot(-1);
  host.Sleep(100);
  for (SoundId slot = -1; slot < kSoundSlots; ++slot) {
    EXPECT_EQ(SlotStatus(slot), slot == other ? kSoundPlaying | kSoundLooping : -1) << slot;
  }
}

// Loads fill the slots in order until the table is full; a failed load names
// the file and why, and takes no slot; the header's rate is kept.
TEST_F(SoundTest, LoadsFillSlotsInOrderAndAFailedOneNamesTheFileAndTakesNone) {
  EXPECT_EQ(LoadWave("wav\\missing.wav", 0xE0, &error), -1);
  EXPECT_NE(error.find("missing.wav: cannot be opened"), std::string::npos) << error;
  EXPECT_EQ(Load("bad.wav", Wave({{"fmt ", Format(2, 1, 11025, 8)}, {"data", Bytes(4)}})), -1);
  EXPECT_NE(error.find("bad.wav: not PCM"), std::string::npos) << error;
  EXPECT_EQ(Load("hi.wav", Wave({{"fmt ", Format(1, 2, 44100, 16)}, {"data", Bytes(400)}})), 0);
  EXPECT_EQ(SoundSlotAt(0).sampleRate, 44100u);
  for (int i = 1; i < kSoundSlots; ++i) ASSERT_EQ(Load("s.wav", GameWave(10)), i);
  EXPECT_EQ(Load("s.wav", GameWave(10)), -1);
  EXPECT_NE(error.find("slots"), std::string::npos);
  InitSound();
  EXPECT_EQ(Load("s.wav", GameWave(10)), 0);
}

}  // namespace
