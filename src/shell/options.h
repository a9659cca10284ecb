// The command line of pimquest.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct Options {
  bool fullscreen = false;
  int scale = 0;  // 0: the largest that fits, at most 2
  bool mute = false;
  std::string dataDir;  // when set, the only place pictures and sounds come from
  bool help = false;
  bool version = false;
  bool headless = false;
  std::string script;
  std::string trace;
  std::vector<std::pair<std::uint32_t, std::string>> shots;  // virtual ms, file
  std::optional<std::uint32_t> until;
  std::string record;          // demo file to write
  bool force = false;          // --record may replace an existing file
  std::string replay;          // demo file to play instead of the devices
  bool tracePresents = false;  // a "present" trace event at every shown frame
};

// Parses argv; on a bad option or value returns nothing with *error set.
std::optional<Options> ParseOptions(int argc, const char* const* argv, std::string* error);
const char* UsageText();
