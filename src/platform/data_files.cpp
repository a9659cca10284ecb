#include "platform/data_files.h"

#include <cstdio>
#include <string>
#include <system_error>

namespace {
std::vector<std::filesystem::path> folders{"."};
}

void SetDataFolders(std::vector<std::filesystem::path> list) {
  folders = std::move(list);
  if (folders.empty()) folders.emplace_back(".");
}

std::filesystem::path FindDataFile(const char* gameName) {
  std::string relative = gameName;
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  for (const auto& folder : folders) {
    std::error_code ec;
    const auto candidate = folder / relative;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return folders.front() / relative;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                       std::uintmax_t limit, std::string* error) {
  std::string scratch;
  if (error == nullptr) error = &scratch;
  const std::string tooBig = "is more than " + std::to_string(limit) + " bytes, too big to be ours";
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (std::filesystem::is_directory(status)) {
    *error = "is a folder";
    return std::nullopt;
  }
  if (std::filesystem::is_regular_file(status)) {
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > limit) {
      *error = tooBig;
      return std::nullopt;
    }
  }
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    *error = "cannot be opened";
    return std::nullopt;
  }
  // Read in pieces up to one byte past the limit: a file that grew since it
  // was measured, or one that has no size, cannot make us read without end.
  std::vector<std::uint8_t> bytes;
  std::uint8_t piece[65536];
  bool failed = false;
  while (bytes.size() <= limit) {
    const std::size_t got = std::fread(piece, 1, sizeof piece, f);
    bytes.insert(bytes.end(), piece, piece + got);
    if (got < sizeof piece) {
      failed = std::ferror(f) != 0;
      break;
    }
  }
  std::fclose(f);
  if (failed) {
    *error = "cannot be read";
    return std::nullopt;
  }
  if (bytes.size() > limit) {
    *error = tooBig;
    return std::nullopt;
  }
  return bytes;
}
