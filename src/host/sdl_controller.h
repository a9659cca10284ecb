// The SDL host's game controller: the first one attached, followed as
// controllers are plugged in and pulled out during the game.
#pragma once

#include <SDL.h>

#include "host/host.h"

class SdlController {
 public:
  SdlController() = default;
  ~SdlController() { Close(); }
  SdlController(const SdlController&) = delete;
  SdlController& operator=(const SdlController&) = delete;

  // Takes the first attached controller, if there is one.
  void OpenFirst();
  // Follows a controller being added or removed; other events are ignored.
  void Handle(const SDL_Event& e);
  // What the controller holds now; not attached when there is none.
  PadSnapshot Read() const;

 private:
  void Close();

  SDL_GameController* controller_ = nullptr;
  SDL_JoystickID id_ = -1;
};
