// Reading a whole file that may be anything a user names: a regular file, a
// device, a pipe, a folder. Nothing it is can make the read take without end,
// in memory or in time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// How long a pipe may take to deliver all it holds.
inline constexpr int kPipeWaitMs = 10000;

// The whole file, or nothing with *error saying why ("cannot be opened: ...",
// "is a folder", "is more than N bytes", "is a pipe that nothing writes to").
// A regular file is measured before it is read; anything else (a device, a
// pipe) is read up to `limit` bytes and no further, so /dev/zero or a pipe
// that never ends is refused too. The open never waits, so a named pipe with
// no writer is refused at once, and a pipe gets kPipeWaitMs in all.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                       std::uintmax_t limit, std::string* error);

// Opens (creating or emptying) a file the game writes, as open(2) with
// O_WRONLY | O_CREAT | O_TRUNC would, but a named pipe that nobody reads
// fails at once (ENXIO) instead of holding the game. -1 with errno set.
int OpenForWriting(const std::string& path);
