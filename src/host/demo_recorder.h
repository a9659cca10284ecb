// Records a game: wraps the real host and writes every device read's answer
// (keyboard, gamepad, the Escape query) to a demo file as the game reads it.
// Every call is passed on; the game runs exactly as without recording.
#pragma once

#include <string>
#include <string_view>

#include "host/demo_format.h"
#include "host/host_decorator.h"

class DemoRecorder : public HostDecorator {
 public:
  explicit DemoRecorder(Host& inner) : HostDecorator(inner) {}

  // Starts the demo file (see DemoWriter::Open); false with *error naming it.
  bool Open(const std::string& path, std::string_view gameVersion, bool replace,
            std::string* error) {
    return writer_.Open(path, gameVersion, replace, error);
  }
  // Completes the file; false with *error naming it when a write failed.
  bool Finish(std::string* error) { return writer_.Finish(error); }

  KeySnapshot ReadKeyboard() override;
  PadSnapshot ReadGamepad() override;
  bool EscapeDown() override;

 private:
  DemoWriter writer_;
};
