// Reading a RIFF WAVE file into the mixer's own sample format.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct WaveData {
  std::uint32_t sampleRate = 0;       // as the header says
  std::uint32_t dataSize = 0;         // sample bytes actually present
  std::vector<std::int16_t> samples;  // mono, converted to the mix rate
};

// Finds the "fmt " and "data" chunks wherever they stand, requires PCM
// (format tag 1) with 8 or 16 bits, converts to mono at the mix rate.
// Never reads past the end of `bytes`. On failure *error says why.
std::optional<WaveData> ParseWave(std::span<const std::uint8_t> bytes, std::string* error);
