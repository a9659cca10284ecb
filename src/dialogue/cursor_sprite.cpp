#include "dialogue/cursor_sprite.h"

#include "platform/display.h"
#include "platform/sound.h"
#include "state/assets.h"

void DrawCursorSprite(int x, int y, Surface* surface) {
  // BlitClipped clips the rectangle in place, so it is built anew each time.
  Rect cursor{0, 64, 32, 96};
  BlitClipped(surface, x, y, pictures::pbattle.get(), cursor, kCopyKeyed);
}

void PlayCursorMoveSound() {
  if (SlotStatus(sounds::button) == kSoundPlaying) StopSlot(sounds::button);
  PlaySlot(sounds::button, kPlayOnce);
}
