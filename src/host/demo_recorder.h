// Records a game: wraps the real host and writes every device read's answer
// (keyboard, gamepad, the Escape query) to a demo file as the game reads it,
// and the moment its player quit it. Every call is passed on; the game runs
// exactly as without recording.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "host/demo_format.h"
#include "host/host_decorator.h"

class DemoRecorder : public BlockingCallDecorator {
 public:
  explicit DemoRecorder(Host& inner) : BlockingCallDecorator(inner) {}

  // Starts the demo file (see DemoWriter::Open); false with *error naming it.
  bool Open(const std::string& path, std::string_view gameVersion, bool replace,
            std::string* error) {
    return writer_.Open(path, gameVersion, replace, error);
  }
  // Completes the file; false with *error naming it when a write failed.
  bool Finish(std::string* error) { return writer_.Finish(error); }
  // Asked when a quit arrives: true when it is the end of the run that the
  // command line set (--until), which a replay sets for itself and which is
  // therefore not recorded. Without it every quit is the player's.
  void SetRunLimitTest(std::function<bool()> isRunLimit) { isRunLimit_ = std::move(isRunLimit); }

  KeySnapshot ReadKeyboard() override;
  PadSnapshot ReadGamepad() override;
  bool EscapeDown() override;
  HostEvent PollEvent() override;
  void PostQuit() override;
  bool QuitRequested() override;

 protected:
  void Around(const std::function<void()>& call) override;

 private:
  // Counts a blocking call and notes the quit it throws.
  template <typename Call>
  auto Watch(Call call);
  void NoteQuit(DemoQuit::Way way);

  DemoWriter writer_;
  std::function<bool()> isRunLimit_;
  std::uint64_t calls_ = 0;
  bool gameQuit_ = false;  // the game posted its own quit (Escape, the menu)
  bool quitSeen_ = false;
};
