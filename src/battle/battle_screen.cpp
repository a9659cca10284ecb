#include "battle/battle_screen.h"

#include "dialogue/cursor_sprite.h"
#include "dialogue/message_box.h"
#include "platform/display.h"
#include "state/assets.h"
#include "state/player.h"

Surface* BattleBackground(std::int32_t tileCode) {
  switch (tileCode) {
    case 10:
      return pictures::battle3.get();
    case 43:
    case 44:
    case 45:
    case 56:
    case 57:
    case 59:
      return pictures::battle2.get();
    default:
      return pictures::battle1.get();
  }
}

Rect MonsterPicture(std::int32_t kind, std::int32_t frame) {
  switch (kind) {
    case Dragonfly:
      return frame == 0 ? Rect{64, 64, 128, 128} : Rect{64, 128, 128, 192};
    case DevilStone:
      return frame == 0 ? Rect{128, 64, 192, 128} : Rect{128, 128, 192, 192};
    case Elmo:
      if (frame == 0) return Rect{128, 192, 192, 288};
      if (frame == 1) return Rect{64, 192, 128, 288};
      return Rect{0, 192, 64, 288};  // step 3 keeps the picture of step 2
    default:
      return Rect{0, 0, 0, 0};
  }
}

Rect HeroPicture(std::int32_t frame) {
  switch (frame) {
    case 1:
      return Rect{64, 0, 128, 64};
    case 2:
      return Rect{128, 0, 192, 64};  // the lunge
    default:
      return Rect{0, 0, 64, 64};  // standing
  }
}

void DrawBattleCursor(std::int32_t row, Surface* surface) {
  if (row == 0) {
    FillRect(400, 380, 432, 412, kRawBlue, surface);
  } else {
    FillRect(400, 360, 432, 392, kRawBlue, surface);
  }
  DrawCursorSprite(400, row == 0 ? 360 : 380, surface);
}

void DrawBattleMenu(Surface* background) {
  BlitFullScreen(BackBuffer, background);
  FillRect(398, 358, 622, 414, kRawWhite, BackBuffer);
  FillRect(400, 360, 620, 412, kRawBlue, BackBuffer);
  DrawTextAt("ATTACK", 435, 367, kTextWhite, BackBuffer);
  FormatLine("HERB          %d", Player.herbs);
  DrawTextAt(lineBuffer, 435, 387, kTextWhite, BackBuffer);
  ClearLineBuffer();
  FormatLine("HP  %d/%d", Player.hp, Player.maxHp);
  DrawTextAt(lineBuffer, 500, 365, kTextWhite, BackBuffer);
  ClearLineBuffer();
}
