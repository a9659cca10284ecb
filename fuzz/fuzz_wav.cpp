// Feeds arbitrary bytes to the sound file reader.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  const auto wave = ParseWave(std::span<const std::uint8_t>(data, size), &error);
  if (wave && wave->dataSize > size) __builtin_trap();  // claims bytes that are not there
  if (!wave && error.empty()) __builtin_trap();         // a refusal must say why
  return 0;
}
