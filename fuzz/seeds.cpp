// pq_fuzz_seeds DIR: writes the small starting corpora of the fuzz targets
// into DIR/bmp, DIR/wav, DIR/script and DIR/demo. Every seed is made here, byte by byte,
// so that the fuzzers start from each variant the loaders must accept.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/demo_recorder.h"
#include "host/headless_host.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void PutTag(Bytes& b, const char* tag) {
  b.insert(b.end(), tag, tag + 4);
}

// A bitmap with a 40-byte info header. `rows` holds the pixel rows as stored
// (already padded); `palette` holds 0x00RRGGBB entries.
Bytes Bitmap(int width, int height, int bits, std::uint32_t compression,
             const std::vector<std::uint32_t>& palette, const Bytes& rows) {
  const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(palette.size());
  Bytes b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, offset + static_cast<std::uint32_t>(rows.size()));
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(width));
  Put32(b, static_cast<std::uint32_t>(height));
  Put16(b, 1);
  Put16(b, static_cast<std::uint32_t>(bits));
  Put32(b, compression);
  Put32(b, static_cast<std::uint32_t>(rows.size()));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, static_cast<std::uint32_t>(palette.size()));
  Put32(b, 0);
  for (std::uint32_t c : palette) Put32(b, c);
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

Bytes Wave(std::uint16_t tag, int channels, std::uint32_t rate, int bits, const Bytes& samples,
           bool leadingList, std::uint32_t claimedDataSize) {
  Bytes body;
  PutTag(body, "WAVE");
  if (leadingList) {
    PutTag(body, "LIST");
    Put32(body, 10);
    PutTag(body, "INFO");
    PutTag(body, "ISFT");
    Put16(body, 0);
  }
  PutTag(body, "fmt ");
  Put32(body, 16);
  Put16(body, tag);
  Put16(body, static_cast<std::uint32_t>(channels));
  Put32(body, rate);
  Put32(body, rate * static_cast<std::uint32_t>(channels * bits / 8));
  Put16(body, static_cast<std::uint32_t>(channels * bits / 8));
  Put16(body, static_cast<std::uint32_t>(bits));
  PutTag(body, "data");
  Put32(body, claimedDataSize);
  body.insert(body.end(), samples.begin(), samples.end());
  Bytes b;
  PutTag(b, "RIFF");
  Put32(b, static_cast<std::uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

void Write(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  Write(path, Bytes(text.begin(), text.end()));
}

void WriteBitmaps(const std::filesystem::path& dir) {
  // 24 bits, 2 x 2, bottom-up, rows padded to 4 bytes.
  Write(dir / "rgb24.bmp", Bitmap(2, 2, 24, 0, {},
                                  {0, 0, 255, 0, 255, 0, 0, 0,  //
                                   255, 0, 0, 255, 0, 255, 0, 0}));
  // The same picture stored top-down.
  Write(dir / "topdown24.bmp", Bitmap(2, -2, 24, 0, {},
                                      {255, 0, 0, 255, 0, 255, 0, 0,  //
                                       0, 0, 255, 0, 255, 0, 0, 0}));
  // 8 bits with a palette whose entry 1 is magenta, the sprite key colour.
  Write(dir / "pal8.bmp",
        Bitmap(3, 2, 8, 0, {0x000000, 0xFF00FF, 0x00FF00}, {0, 1, 2, 0, 2, 1, 0, 0}));
  // 4 and 1 bits.
  Write(dir / "pal4.bmp", Bitmap(4, 1, 4, 0, {0x000000, 0xFFFFFF, 0x0000FF}, {0x01, 0x20, 0, 0}));
  Write(dir / "pal1.bmp", Bitmap(8, 1, 1, 0, {0x000000, 0xFFFFFF}, {0xA5, 0, 0, 0}));
  // 8-bit run-length coding: runs, an absolute run, end of line, end of picture.
  Write(dir / "rle8.bmp", Bitmap(4, 2, 8, 1, {0x000000, 0xFF0000, 0x00FF00},
                                 {2, 1, 2, 2, 0, 0, 0, 4, 1, 2, 1, 2, 0, 1}));
  // 16 bits in 5-5-5 and 32 bits.
  Write(dir / "rgb16.bmp", Bitmap(2, 1, 16, 0, {}, {0xFF, 0x7F, 0x1F, 0x00}));
  Write(dir / "rgb32.bmp", Bitmap(1, 2, 32, 0, {}, {255, 0, 255, 0, 0, 255, 0, 0}));
  // Hostile: a run-length picture claiming 8192 x 8192 in a few bytes, and
  // rows the file does not hold.
  Write(dir / "huge_rle8.bmp", Bitmap(8192, 8192, 8, 1, {0x000000}, {0x00, 0x01}));
  Write(dir / "cut_rows.bmp", Bitmap(4, 100, 8, 0, {0x000000, 0xFFFFFF}, {0, 1, 1, 0}));
  Write(dir / "rle4.bmp", Bitmap(4, 1, 4, 2, {0x000000, 0xFFFFFF}, {0x04, 0x10, 0x00, 0x01}));
}

void WriteWaves(const std::filesystem::path& dir) {
  const Bytes bytes8 = {128, 160, 192, 160, 128, 96, 64, 96};
  Bytes stereo16;
  for (int i = 0; i < 8; ++i) {
    Put16(stereo16, static_cast<std::uint32_t>(i * 3000));
    Put16(stereo16, static_cast<std::uint32_t>(-i * 3000));
  }
  Write(dir / "mono8.wav", Wave(1, 1, 11025, 8, bytes8, false, 8));
  Write(dir / "list_first.wav", Wave(1, 1, 11025, 8, bytes8, true, 8));
  Write(dir / "stereo16_44k.wav", Wave(1, 2, 44100, 16, stereo16, false, 32));
  Write(dir / "truncated.wav", Wave(1, 1, 11025, 8, bytes8, false, 4000));
  Write(dir / "float.wav", Wave(3, 1, 11025, 32, bytes8, false, 8));
  Write(dir / "pcm24.wav", Wave(1, 1, 22050, 24, {0, 0, 64, 0, 0, 192}, false, 6));
  Write(dir / "six_channels.wav", Wave(1, 6, 11025, 16, stereo16, false, 24));
  Write(dir / "twelve_bit.wav", Wave(1, 1, 11025, 12, bytes8, false, 8));
  // Rates the mixer cannot sensibly convert, or only just.
  Write(dir / "one_hertz.wav", Wave(1, 1, 1, 8, bytes8, false, 8));
  Write(dir / "slow_1000hz.wav", Wave(1, 1, 1000, 8, bytes8, false, 8));
}

void WriteScripts(const std::filesystem::path& dir) {
  WriteText(dir / "walk.txt", "# walk right, then talk\n0\n100 Right\n600 A\n650\n");
  WriteText(dir / "pad.txt", "0 PadUp Pad1\n\n20 PadLeft PadDown Pad0 Pad2 PadRight\n40 Esc\n");
  WriteText(dir / "keys.txt", "0 Up Down Left Right A S Z Esc\n4294967295\n");
}

// Demos are recorded the way the game records them, from scripted reads.
void WriteDemo(const std::filesystem::path& file, const char* script, int frames) {
  HeadlessHost real(*ParseInputScript(script, nullptr));
  DemoRecorder recorder(real);
  std::string error;
  if (!recorder.Open(file.string(), "1.0.0", true, &error)) throw std::runtime_error(error);
  for (int i = 0; i < frames; ++i) {
    recorder.EscapeDown();
    recorder.ReadKeyboard();
    recorder.ReadGamepad();
    real.Sleep(3);
  }
  if (!recorder.Finish(&error)) throw std::runtime_error(error);
}

void WriteDemos(const std::filesystem::path& dir) {
  WriteDemo(dir / "empty.demo", "0\n", 0);
  WriteDemo(dir / "keys.demo", "0 Right\n20 Right A\n40 Esc Z\n60\n", 30);
  WriteDemo(dir / "pad.demo", "0 PadUp Pad1\n30 PadLeft PadDown Pad0 Pad2 PadRight\n", 25);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pq_fuzz_seeds DIR\n");
    return 2;
  }
  try {
    const std::filesystem::path out = argv[1];
    for (const char* sub : {"bmp", "wav", "script", "demo"})
      std::filesystem::create_directories(out / sub);
    WriteBitmaps(out / "bmp");
    WriteWaves(out / "wav");
    WriteScripts(out / "script");
    WriteDemos(out / "demo");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pq_fuzz_seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
