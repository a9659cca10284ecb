#include "game/bot_game.h"

#include <utility>

#include "host/host.h"
#include "shell/main_loop.h"

BotGame::BotGame(Bot& bot, bool keepTrace) : bot_(bot), keepTrace_(keepTrace) {
  Collect();  // start-up's own lines
  game_.host().SetReadHook([this](std::uint32_t now) { OnRead(now); });
}

void BotGame::Watch(std::uint32_t ms, std::function<void()> watch) {
  watchers_.push_back({ms, std::move(watch)});
}

void BotGame::Collect() {
  for (auto& line : game_.TakeTrace()) {
    bot_.Observe(line);
    if (keepTrace_) trace_.push_back(std::move(line));
  }
}

void BotGame::OnRead(std::uint32_t now) {
  Collect();
  for (Watcher& watcher : watchers_) {
    if (watcher.call && now >= watcher.at) std::exchange(watcher.call, nullptr)();
  }
  if (bot_.Finished()) {
    game_.host().RequestQuit();  // this very read throws
    return;
  }
  game_.host().SetHeld(bot_.Controls(now));
}

bool BotGame::Play(std::uint32_t limitMs) {
  game_.host().SetQuitAt(limitMs);
  try {
    for (;;) RunFrame();
  } catch (const QuitRequest&) {
  }
  Collect();
  return bot_.Finished();
}
