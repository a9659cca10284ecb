// Replays a demo: wraps the real host and answers every device read with the
// next recorded answer of its kind instead of asking the devices. Time,
// drawing, sound and window events still go to the real host, so the replay
// runs at the game's own pace in a window, or in virtual time headless.
//
// When the recorded player quit the game, the replay quits it at the same
// host call, the same way. When a kind's records run out otherwise, its reads
// answer "nothing held" from then on (no key down, no controller), so the
// game waits where the demo left it until the player closes it. Escape held
// on the real keyboard still quits, so a replay can be left like a game.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>

#include "host/demo_format.h"
#include "host/host_decorator.h"

class DemoPlayer : public BlockingCallDecorator {
 public:
  DemoPlayer(Host& inner, Demo demo) : BlockingCallDecorator(inner), demo_(std::move(demo)) {}

  // Called once, at the first read that finds its kind's records used up
  // (with false) or at the recorded quit (with true).
  void SetOnEnd(std::function<void(bool quit)> onEnd) { onEnd_ = std::move(onEnd); }
  bool Ended() const { return ended_; }

  KeySnapshot ReadKeyboard() override;
  PadSnapshot ReadGamepad() override;
  bool EscapeDown() override;
  HostEvent PollEvent() override;
  bool QuitRequested() override;

 protected:
  void Around(const std::function<void()>& call) override;

 private:
  // The next answer of one kind: the run at `run`, `used` of its reads taken.
  template <typename T>
  struct Cursor {
    std::size_t run = 0;
    std::uint32_t used = 0;
  };
  template <typename T>
  const T* Next(const std::vector<DemoRun<T>>& runs, Cursor<T>& at);
  void NoteEnd(bool quit);
  // Counts a call; whether the recorded quit has come with it or before it.
  bool QuitDue();
  // A blocking call: throws where the recorded one threw.
  template <typename Call>
  auto Blocking(Call call);

  Demo demo_;
  Cursor<KeySnapshot> keyboard_;
  Cursor<PadSnapshot> gamepad_;
  Cursor<bool> escape_;
  std::uint64_t calls_ = 0;
  bool ended_ = false;
  std::function<void(bool)> onEnd_;
};
