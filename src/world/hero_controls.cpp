#include "world/hero_controls.h"

#include "dialogue/status_menu.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "state/assets.h"
#include "world/actor.h"
#include "world/direction.h"

std::int32_t requestedDirection = Up;

void ReadHeroControls() {
  // The menu opens whatever the hero is doing, again in every frame that Z
  // is still down; a step in progress goes on when it closes.
  if (PadButtonDown(0) || KeyDown(DIK_Z)) {
    PlaySlot(sounds::button2, kPlayOnce);
    StatusMenu();
  }

  Actor& hero = actors[0];
  if (hero.stepLeft != 0 || hero.pause != 0) return;

  // Each test overrides the ones before: Right beats Left beats Down beats
  // Up, and the stick beats the keys.
  requestedDirection = None;
  if (KeyDown(DIK_UP)) requestedDirection = Up;
  if (KeyDown(DIK_DOWN)) requestedDirection = Down;
  if (KeyDown(DIK_LEFT)) requestedDirection = Left;
  if (KeyDown(DIK_RIGHT)) requestedDirection = Right;
  if (PadUp()) requestedDirection = Up;
  if (PadDown()) requestedDirection = Down;
  if (PadLeft()) requestedDirection = Left;
  if (PadRight()) requestedDirection = Right;

  // He turns towards the arrow even when the way is blocked.
  if (requestedDirection != None) hero.facing = requestedDirection;
}
