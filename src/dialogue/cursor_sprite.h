// The little pointer of the menus (the yes/no prompt, the shop, the status
// menu and the battle menu), cut from the pbattle picture.
#pragma once

#include "platform/surface.h"

// Copies the 32 x 32 pointer to (x, y) on `surface`, its colour key
// transparent.
void DrawCursorSprite(int x, int y, Surface* surface);
// The click of a pointer that moved: a click still sounding is cut short so
// that every move is heard from its start.
void PlayCursorMoveSound();
