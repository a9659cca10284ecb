// The hero's status window over the walking scene: the record, and a herb
// that can be eaten outside a battle.
#include "dialogue/status_menu.h"

#include "dialogue/cursor_sprite.h"
#include "dialogue/message_box.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "state/assets.h"
#include "state/player.h"

namespace {

enum Choice { UseHerb = 0, Exit = 1 };

void DrawStatusLine(int x, int y) {
  DrawTextAt(lineBuffer, x, y, kTextWhite, FrontSurface);
  ClearLineBuffer();
}

void DrawStatusWindow() {
  FillRect(48, 48, 302, 272, kRawWhite, FrontSurface);
  FillRect(50, 50, 300, 270, kRawBlue, FrontSurface);
  Rect hero{0, 0, 64, 64};
  BlitClipped(FrontSurface, 80, 90, pictures::pbattle.get(), hero, kCopyKeyed);

  FormatLine("LEVEL       %d", Player.level);
  DrawStatusLine(170, 70);
  FormatLine("HP              %d/%d", Player.hp, Player.maxHp);
  DrawStatusLine(170, 90);
  FormatLine("ATTACK         %d", Player.attack);
  DrawStatusLine(170, 110);
  FormatLine("DEFENCE     %d", Player.defence);
  DrawStatusLine(170, 130);
  FormatLine("HERB             %d", Player.herbs);
  DrawStatusLine(170, 170);
  FormatLine("GOLD           %d", Player.gold);
  DrawStatusLine(170, 190);
  FormatLine("EXP              %d", Player.exp);
  DrawStatusLine(170, 210);

  DrawTextAt("USE HERB", 100, 240, kTextYellow, FrontSurface);
  DrawTextAt("EXIT", 220, 240, kTextYellow, FrontSurface);
  DrawCursorSprite(187, 233, FrontSurface);
}

// Moves the pointer between USE HERB and EXIT until the player confirms or
// cancels; returns the choice it then stands on.
Choice ChooseStatusAction() {
  Choice choice = Exit;
  if (PadButtonDown(1)) return choice;
  for (;;) {
    if (KeyDown(DIK_A)) return choice;
    if (PadButtonDown(2) || KeyDown(DIK_S)) {
      PlaySlot(sounds::button2, kPlayOnce);
      return choice;
    }
    if (choice == Exit && (PadLeft() || KeyDown(DIK_LEFT))) {
      FillRect(187, 233, 219, 265, kRawBlue, FrontSurface);
      DrawCursorSprite(67, 233, FrontSurface);
      PlaySlot(sounds::button, kPlayOnce);
      choice = UseHerb;
    } else if (choice == UseHerb && (PadRight() || KeyDown(DIK_RIGHT))) {
      FillRect(67, 233, 99, 265, kRawBlue, FrontSurface);
      DrawCursorSprite(187, 233, FrontSurface);
      PlaySlot(sounds::button, kPlayOnce);
      choice = Exit;
    }
    ReadDevices();
    if (PadButtonDown(1)) return choice;
  }
}

void UseHerbOutsideBattle() {
  if (Player.herbs >= 1) {
    Player.hp = Player.maxHp;
    Player.herbs -= 1;
    FormatLine("You HP recovered");
  } else {
    FormatLine("You not have HERB");
  }
  ShowMessage(lineBuffer, 1, kTextWhite);
  // The key that confirmed is still in the state last read, so S held
  // together with it lets the message go at once.
  while (!(PadButtonDown(2) || KeyDown(DIK_S))) ReadDevices();
}

}  // namespace

void StatusMenu() {
  DrawStatusWindow();
  const Choice choice = ChooseStatusAction();
  if (choice == Exit) return;
  // S or gamepad button 2 leave USE HERB without eating; only a confirm
  // that is down right now uses the herb.
  if (!(PadButtonDown(1) || KeyDown(DIK_A))) return;
  UseHerbOutsideBattle();
}
