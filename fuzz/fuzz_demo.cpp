// Feeds arbitrary bytes to the demo reader, then replays whatever it accepts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/demo_format.h"
#include "host/demo_player.h"
#include "host/headless_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto demo = ParseDemo(bytes, &error);
  if (!demo) {
    if (error.empty()) __builtin_trap();  // a refusal always says why
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
