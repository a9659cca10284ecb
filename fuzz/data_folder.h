// A private data folder for the fuzz harnesses: each input is written there
// as a game file and loaded through the game's own path, size checks first.
// The folder lies in memory (/dev/shm) where there is one.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/data_files.h"

// Writes the bytes as <folder>/<sub>/fuzz.<sub> and returns its game name.
// The folder is made once (one kind per harness); each input costs one open
// and one write.
inline std::string PutDataFile(const char* sub, const std::uint8_t* data, std::size_t size) {
  // Removed again when the fuzzer ends its run.
  struct Folder {
    std::filesystem::path path;
    ~Folder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  };
  static const Folder folder = [] {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string dir = (base / "pq-fuzz-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) std::abort();
    SetDataFolders({dir});
    return Folder{dir};
  }();
  static const std::string file = [&] {
    std::filesystem::create_directories(folder.path / sub);
    return (folder.path / sub / (std::string("fuzz.") + sub)).string();
  }();
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || (size > 0 && ::write(fd, data, size) != static_cast<::ssize_t>(size))) std::abort();
  ::close(fd);
  return std::string(sub) + "\\fuzz." + sub;
}
