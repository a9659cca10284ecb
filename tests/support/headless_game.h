// A whole game on the headless host, for tests: the generated pictures and
// sounds, a scripted player, a virtual clock and an in-memory event trace.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/headless_host.h"

class HeadlessGame {
 public:
  // `script` is in the headless script format ("0 A\n500\n"); it must parse.
  // Runs StartUp with the generated assets; the trace is kept in memory.
  explicit HeadlessGame(std::string_view script = "");
  ~HeadlessGame();  // ShutDown, host detached
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  HeadlessHost& host() { return host_; }
  // Virtual milliseconds since the start.
  std::uint32_t Now() { return host_.Ticks(); }
  // Trace lines written since the last call (each a JSON object).
  std::vector<std::string> TakeTrace();
  // The lines of TakeTrace() whose "ev" is `ev`.
  std::vector<std::string> TakeEvents(std::string_view ev);

 private:
  HeadlessHost host_;
};
