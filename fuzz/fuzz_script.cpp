// Feeds arbitrary text to the headless input script as the game reads it:
// from a file, measured and bounded, then parsed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data_folder.h"
#include "host/headless_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  PutDataFile("txt", data, size);
  const auto bytes = ReadWholeFile(FindDataFile("txt\\fuzz.txt"), kMaxScriptBytes, &error);
  if (!bytes || bytes->size() != size) __builtin_trap();  // a small script reads whole
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  const auto script = ParseInputScript(text, &error);
  if (!script) {
    if (error.find("line") == std::string::npos) __builtin_trap();  // must name the line
    return 0;
  }
  for (std::size_t i = 1; i < script->steps.size(); ++i) {
    if (script->steps[i].from < script->steps[i - 1].from) __builtin_trap();
  }
  if (!script->steps.empty()) script->HeldAt(script->steps.back().from);
  return 0;
}
