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

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return std::nullopt;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return std::nullopt;
  std::vector<std::uint8_t> bytes(size);
  const bool ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
  std::fclose(f);
  if (!ok) return std::nullopt;
  return bytes;
}
