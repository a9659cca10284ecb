// Turns a 24-bit uncompressed BMP (as the game's screenshots are) into a PNG.
#pragma once

#include <filesystem>

// Throws std::runtime_error naming the file when it is not such a bitmap or
// the PNG cannot be written.
void ConvertBmpToPng(const std::filesystem::path& bmp, const std::filesystem::path& png);
