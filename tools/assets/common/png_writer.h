// A small PNG writer for the desktop icons and the README screenshots: 8-bit
// RGB or RGBA, one zlib stream compressed with fixed Huffman codes and a
// simple LZ77 search, which suits flat pixel art well.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// The zlib checksums, exposed for tests.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

// A zlib stream holding `data` (one final block of fixed Huffman codes).
std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data);

// `pixels` holds rows of width * (alpha ? 4 : 3) bytes, top row first.
// Throws std::runtime_error when the file cannot be written.
void WritePng(const std::filesystem::path& file, int width, int height, bool alpha,
              const std::vector<std::uint8_t>& pixels);
