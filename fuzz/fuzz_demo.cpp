// Feeds arbitrary bytes to the demo reader as the game takes them, from a
// file through the bounded reader, then replays whatever it accepts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "data_folder.h"
#include "host/demo_format.h"
#include "host/demo_player.h"
#include "host/headless_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  const std::string path = FindDataFile(PutDataFile("demo", data, size).c_str()).string();
  auto demo = LoadDemo(path, &error);
  if (!demo) {
    if (error.find(path) == std::string::npos) __builtin_trap();  // a refusal names the file
    return 0;
  }
  for (const auto& run : demo->keyboard) {
    if (run.count == 0) __builtin_trap();
  }
  // A replay that reads past the demo's end holds nothing and never faults;
  // one whose player quit unwinds at the quit, and only then.
  std::size_t reads = 0;
  for (const auto& run : demo->keyboard) reads += run.count;
  if (reads > 4096) return 0;
  const bool quits = demo->quit.has_value();
  HeadlessHost real;
  DemoPlayer player(real, std::move(*demo));
  try {
    for (std::size_t i = 0; i <= reads + 2; ++i) {
      player.EscapeDown();
      player.ReadKeyboard();
      player.ReadGamepad();
      if (player.PollEvent() == HostEvent::Quit && !quits) __builtin_trap();
    }
  } catch (const QuitRequest&) {
    if (!quits) __builtin_trap();
  }
  if (!player.Ended() && !quits) __builtin_trap();
  return 0;
}
