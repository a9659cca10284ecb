// Where the game's files are found. The game names them as "bmp\\world.bmp";
// the backslash becomes a slash and the case is kept as written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/file_read.h"  // ReadWholeFile, for the game's files too

// Folders searched in order (normally: the current folder, the folder of the
// executable, the installed data folder).
void SetDataFolders(std::vector<std::filesystem::path> folders);
// The first existing file of that game name; when none exists, the path in
// the first folder (so that an error message names where it was looked for).
std::filesystem::path FindDataFile(const char* gameName);

// No picture or sound of the game comes near this; a bigger file is refused
// without being read.
inline constexpr std::uintmax_t kMaxDataFileBytes = std::uintmax_t{64} << 20;
