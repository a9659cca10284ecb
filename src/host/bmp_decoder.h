// Decoding bitmap files (any variant the host's reader knows).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, row by row from the top
};

// Decodes a whole file held in memory. On failure returns nothing and sets
// *error to the reason. Never reads outside `bytes`.
std::optional<DecodedPicture> DecodeBmp(std::span<const std::uint8_t> bytes, std::string* error);
