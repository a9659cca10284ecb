// A private data folder for the fuzz harnesses: each input is written there
// as a game file and loaded through the game's own path, size checks first.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/data_files.h"

// Writes the bytes as <folder>/<sub>/fuzz.<sub> and returns its game name.
inline std::string PutDataFile(const char* sub, const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string dir = (base / "pq-fuzz-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) std::abort();
    SetDataFolders({dir});
    return std::filesystem::path(dir);
  }();
  std::filesystem::create_directories(folder / sub);
  const std::string name = std::string("fuzz.") + sub;
  std::ofstream(folder / sub / name, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return std::string(sub) + "\\" + name;
}
