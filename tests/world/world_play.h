// A game on the headless host, played frame by frame: the test holds
// controls, runs main-loop frames and reads the event trace.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/headless_script.h"
#include "platform/display.h"
#include "platform/random.h"
#include "shell/main_loop.h"
#include "state/game_state.h"
#include "state/player.h"
#include "support/headless_game.h"
#include "support/trace_reader.h"
#include "world/actor.h"
#include "world/tile_map.h"
#include "world/town_scene.h"

// An enter event on `map` (or a step, map "") at cell (x, y).
inline bool EnteredAt(const std::string& line, const std::string& map, int x, int y) {
  return (map.empty() || Has(line, "\"map\":\"" + map + "\"")) && Num(line, "x") == x &&
         Num(line, "y") == y;
}

// A draw state whose next `n` draws d satisfy ok(i, d), i counting from 0.
template <class Ok>
std::uint32_t StateWhere(int n, Ok ok) {
  const std::uint32_t saved = RandState();
  std::uint32_t state = 0;
  for (bool fits = false; !fits;) {
    SetRandState(++state);
    fits = true;
    for (int i = 0; i < n && fits; ++i) fits = ok(i, Rand());
  }
  SetRandState(saved);
  return state;
}

// The next `n` attempted steps on open ground meet no monster.
inline std::uint32_t QuietRandState(int n) {
  return StateWhere(n, [](int, int draw) { return draw % 10 != 0; });
}

// The hero is made strong enough to win every fight quickly; a run that
// never ends quits at one hour, which fails the test by its exception.
class Play {
 public:
  // S skips the title; the first frame runs the title and the first frame of
  // the world map.
  explicit Play(std::string_view script = "0 S\n") : game_(script) {
    game_.host().SetQuitAt(3'600'000);
    Frames(1);
    Hold(0);
    Player.hp = Player.maxHp = 9999;
    Player.attack = 999;
  }

  void Hold(std::uint32_t controls) { game_.host().SetHeld(controls); }
  HeadlessHost& host() { return game_.host(); }

  void Frames(int n) {
    for (int i = 0; i < n; ++i) RunFrame();
    for (auto& line : game_.TakeTrace()) trace_.push_back(std::move(line));
  }

  // Runs frames until an event `ev` is written (at most `limit` frames); the
  // number of frames run, or -1.
  int FramesUntilEvent(std::string_view ev, int limit) {
    const std::size_t seen = Events(ev).size();
    for (int i = 1; i <= limit; ++i) {
      Frames(1);
      if (Events(ev).size() > seen) return i;
    }
    return -1;
  }

  // The trace lines so far of event `ev`.
  std::vector<std::string> Events(std::string_view ev) const {
    return ::Events(trace_, std::string(ev));
  }
  void ForgetTrace() { trace_.clear(); }

  // Switches to a place as its entrance would, trace forgotten.
  void Into(void (*enter)(), std::int32_t state) {
    enter();
    SetGameState(state);
    ForgetTrace();
  }

  // Up and A until a conversation is under way; then A and S read it through
  // and leave the shop (S is no talk button).
  void TalkUpwards() {
    host().SetReadHook([this](std::uint32_t) { Hold(pendingTalk != 0 ? kA | kS : kUp | kA); });
  }
  // Everybody but the hero stands still.
  static void StandStill() {
    for (int s = 1; s <= 8; ++s) actors[s].pause = 100000;
  }
  // Stands a figure on a cell of the current map; the hero free to walk.
  static void Place(std::int32_t column, std::int32_t row, int slot = 0) {
    Actor& f = actors[slot];
    f = Actor{column * 64, row * 64,  column, row, 0, f.speed, slot == 0 ? 0 : f.pause,
              f.facing,    f.terrain, f.id};
  }

 private:
  HeadlessGame game_;
  std::vector<std::string> trace_;
};

// Screen pixels whose colour is not want(x, y); want gives -1 for "any".
template <class Want>
inline int Wrong(Play& play, Want want) {
  int wrong = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      const int w = want(x, y);
      wrong += w >= 0 && play.host().VisibleAt(x, y) != w;
    }
  }
  return wrong;
}

// The map's own pixel under screen (x, y).
inline auto MapPixels(const TileMap& map, const Surface& tiles, int camX, int camY) {
  return [=, &map, &tiles](int x, int y) -> int {
    const int mx = camX + x, my = camY + y;
    const std::uint8_t code = CodeAt(map, mx / 32, my / 32);
    return tiles.At((code % 16) * 32 + mx % 32, (code / 16) * 32 + my % 32);
  };
}
