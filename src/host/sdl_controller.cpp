#include "host/sdl_controller.h"

#include "host/key_map.h"

void SdlController::OpenFirst() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i)) continue;
    controller_ = SDL_GameControllerOpen(i);
    if (controller_ != nullptr) {
      id_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller_));
      return;
    }
  }
}

void SdlController::Handle(const SDL_Event& e) {
  if (e.type == SDL_CONTROLLERDEVICEADDED) {
    if (controller_ == nullptr) OpenFirst();
  } else if (e.type == SDL_CONTROLLERDEVICEREMOVED) {
    if (controller_ != nullptr && e.cdevice.which == id_) {
      Close();
      OpenFirst();
    }
  }
}

void SdlController::Close() {
  if (controller_ != nullptr) SDL_GameControllerClose(controller_);
  controller_ = nullptr;
  id_ = -1;
}

PadSnapshot SdlController::Read() const {
  if (controller_ == nullptr) return PadSnapshot{};
  SDL_GameController* c = controller_;
  auto button = [c](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(c, b) != 0; };
  ControllerInputs in;
  in.leftX = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
  in.leftY = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
  in.dpadUp = button(SDL_CONTROLLER_BUTTON_DPAD_UP);
  in.dpadDown = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  in.dpadLeft = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  in.dpadRight = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  in.south = button(SDL_CONTROLLER_BUTTON_A);
  in.east = button(SDL_CONTROLLER_BUTTON_B);
  in.west = button(SDL_CONTROLLER_BUTTON_X);
  in.north = button(SDL_CONTROLLER_BUTTON_Y);
  in.start = button(SDL_CONTROLLER_BUTTON_START);
  return PadFromController(in);
}
