// Replays a demo: wraps the real host and answers every device read with the
// next recorded answer of its kind instead of asking the devices. Time,
// drawing, sound and window events still go to the real host, so the replay
// runs at the game's own pace in a window, or in virtual time headless.
//
// When a kind's records run out, its reads answer "nothing held" from then
// on (no key down, no controller), so the game waits where the demo left it
// until the player closes it. Escape held on the real keyboard still quits,
// so a replay can be left like a game.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>

#include "host/demo_format.h"
#include "host/host_decorator.h"

class DemoPlayer : public HostDecorator {
 public:
  DemoPlayer(Host& inner, Demo demo) : HostDecorator(inner), demo_(std::move(demo)) {}

  // Called once, at the first read that finds its kind's records used up.
  void SetOnEnd(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }
  bool Ended() const { return ended_; }

  KeySnapshot ReadKeyboard() override;
  PadSnapshot ReadGamepad() override;
  bool EscapeDown() override;

 private:
  // The next answer of one kind: the run at `run`, `used` of its reads taken.
  template <typename T>
  struct Cursor {
    std::size_t run = 0;
    std::uint32_t used = 0;
  };
  template <typename T>
  const T* Next(const std::vector<DemoRun<T>>& runs, Cursor<T>& at);
  void NoteEnd();

  Demo demo_;
  Cursor<KeySnapshot> keyboard_;
  Cursor<PadSnapshot> gamepad_;
  Cursor<bool> escape_;
  bool ended_ = false;
  std::function<void()> onEnd_;
};
