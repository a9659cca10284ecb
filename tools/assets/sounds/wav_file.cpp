#include "sounds/wav_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> QuantizeMix(const std::vector<float>& mix, int peak) {
  double loudest = 0.0;
  for (float sample : mix) loudest = std::max(loudest, std::abs(static_cast<double>(sample)));
  const double scale = loudest > 0.0 ? peak / loudest : 0.0;
  std::vector<std::uint8_t> out;
  out.reserve(mix.size());
  for (float sample : mix) {
    const long level = std::lround(128.0 + sample * scale);
    out.push_back(static_cast<std::uint8_t>(std::clamp(level, 0L, 255L)));
  }
  return out;
}

std::vector<std::uint8_t> EncodeWav(const std::vector<std::uint8_t>& samples) {
  const auto dataSize = static_cast<std::uint32_t>(samples.size());
  const std::uint32_t padding = dataSize % 2;  // RIFF chunks start on even offsets
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataSize + padding);
  PutTag(out, "RIFF");
  PutU32(out, 4 + (8 + 16) + (8 + dataSize + padding));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, 16);
  PutU16(out, 1);            // PCM
  PutU16(out, 1);            // mono
  PutU32(out, kSampleRate);  // samples per second
  PutU32(out, kSampleRate);  // bytes per second: one byte per sample
  PutU16(out, 1);            // block alignment
  PutU16(out, 8);            // bits per sample
  PutTag(out, "data");
  PutU32(out, dataSize);
  out.insert(out.end(), samples.begin(), samples.end());
  if (padding) out.push_back(128);
  return out;
}

void WriteWav(const std::filesystem::path& file, const std::vector<std::uint8_t>& samples) {
  const std::vector<std::uint8_t> bytes = EncodeWav(samples);
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  if (!stream) throw std::runtime_error("cannot write " + file.string());
}
