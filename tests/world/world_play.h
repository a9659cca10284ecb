// A game on the headless host, played frame by frame: the test holds
// controls, runs main-loop frames and reads the event trace.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/headless_script.h"
#include "platform/random.h"
#include "shell/game_state.h"
#include "shell/main_loop.h"
#include "shell/player.h"
#include "support/headless_game.h"
#include "world/actor.h"

// The value of a number field of a trace line; -1 when absent.
inline std::int64_t TraceNumber(const std::string& line, std::string_view key) {
  const std::string open = "\"" + std::string(key) + "\":";
  const std::size_t at = line.find(open);
  if (at == std::string::npos) return -1;
  return std::stoll(line.substr(at + open.size()));
}

inline bool IsEvent(const std::string& line, std::string_view ev) {
  return line.find("\"ev\":\"" + std::string(ev) + "\"") != std::string::npos;
}

// The draw's state after `draws` draws from `start`.
inline std::uint32_t StateAfter(std::uint32_t start, int draws) {
  const std::uint32_t saved = RandState();
  SetRandState(start);
  for (int i = 0; i < draws; ++i) Rand();
  const std::uint32_t end = RandState();
  SetRandState(saved);
  return end;
}

// A state whose next `draws` draws are none of them 0 mod 10: that many
// attempted steps on open ground meet no monster.
inline std::uint32_t QuietRandState(int draws) {
  for (std::uint32_t state = 1;; ++state) {
    const std::uint32_t saved = RandState();
    SetRandState(state);
    bool quiet = true;
    for (int i = 0; i < draws && quiet; ++i) quiet = Rand() % 10 != 0;
    SetRandState(saved);
    if (quiet) return state;
  }
}

class Play {
 public:
  // S skips the title; the first frame runs the title and the first frame of
  // the world map.
  explicit Play(std::string_view script = "0 S\n") : game_(script) {
    // A fight or a menu that never ends fails the test instead of hanging it.
    game_.host().SetQuitAt(3'600'000);
    Frames(1);
    Hold(0);
  }

  void Hold(std::uint32_t controls) { game_.host().SetHeld(controls); }

  // Runs n frames; false when the run quit.
  bool Frames(int n) {
    try {
      for (int i = 0; i < n; ++i) RunFrame();
    } catch (const QuitRequest&) {
      Collect();
      return false;
    }
    Collect();
    return true;
  }

  // Runs frames until an event `ev` has been written (at most `limit`
  // frames); the number of frames run, or -1.
  int FramesUntilEvent(std::string_view ev, int limit) {
    for (int i = 1; i <= limit; ++i) {
      const std::size_t before = trace_.size();
      if (!Frames(1)) return -1;
      for (std::size_t j = before; j < trace_.size(); ++j) {
        if (IsEvent(trace_[j], ev)) return i;
      }
    }
    return -1;
  }

  // Every trace line so far of event `ev`.
  std::vector<std::string> Events(std::string_view ev) const {
    std::vector<std::string> picked;
    for (const auto& line : trace_) {
      if (IsEvent(line, ev)) picked.push_back(line);
    }
    return picked;
  }
  const std::vector<std::string>& Trace() const { return trace_; }
  void ForgetTrace() { trace_.clear(); }

  // Stands the hero on a cell of the current map, free to walk at once.
  static void PlaceHero(std::int32_t column, std::int32_t row) {
    Place(actors[0], column, row);
    actors[0].pause = 0;
  }
  static void Place(Actor& figure, std::int32_t column, std::int32_t row) {
    figure.tileX = column;
    figure.tileY = row;
    figure.x = column * 64;
    figure.y = row * 64;
    figure.stepLeft = 0;
  }
  // A hero who wins every fight quickly, for runs that pass through battles.
  static void MakeHeroStrong() {
    Player.hp = Player.maxHp = 9999;
    Player.attack = 999;
  }

  HeadlessGame& game() { return game_; }

 private:
  void Collect() {
    for (auto& line : game_.TakeTrace()) trace_.push_back(std::move(line));
  }

  HeadlessGame game_;
  std::vector<std::string> trace_;
};
