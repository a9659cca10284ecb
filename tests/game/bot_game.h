// A whole game on the headless host played by a Bot: at every keyboard read
// the bot is shown the trace written since the last read and chooses the
// controls held from then on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/bot.h"
#include "support/headless_game.h"

class BotGame {
 public:
  // With `keepTrace` every trace line is kept for the test to read; a long
  // run passes false so that the lines are only shown to the bot.
  BotGame(Bot& bot, bool keepTrace);

  // Plays until the bot is finished (true) or the virtual clock reaches
  // `limitMs` (false).
  bool Play(std::uint32_t limitMs);
  // Calls `watch` once, at the first keyboard read at or after `ms`.
  void Watch(std::uint32_t ms, std::function<void()> watch);

  const std::vector<std::string>& Trace() const { return trace_; }
  std::uint32_t Now() { return game_.Now(); }

 private:
  void OnRead(std::uint32_t now);
  void Collect();

  Bot& bot_;
  bool keepTrace_;
  HeadlessGame game_;
  std::vector<std::string> trace_;
  struct Watcher {
    std::uint32_t at;
    std::function<void()> call;
  };
  std::vector<Watcher> watchers_;
};
