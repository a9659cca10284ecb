// The one sound format the game plays: RIFF WAVE, PCM, mono, 11025 samples/s,
// 8-bit unsigned samples around the midpoint 128.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

constexpr int kSampleRate = 11025;

// Scales a mix so that its loudest sample lies peak steps from the midpoint
// and rounds it to unsigned 8-bit samples. A silent mix gives all 128.
std::vector<std::uint8_t> QuantizeMix(const std::vector<float>& mix, int peak);

// The whole file: "RIFF", "WAVE", a 16-byte "fmt " chunk, then "data".
std::vector<std::uint8_t> EncodeWav(const std::vector<std::uint8_t>& samples);

// Writes EncodeWav(samples) to file; throws std::runtime_error on failure.
void WriteWav(const std::filesystem::path& file, const std::vector<std::uint8_t>& samples);
