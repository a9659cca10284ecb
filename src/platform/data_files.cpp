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
