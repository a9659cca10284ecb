// The pictures of a battle: which background, which sprite, the menu.
#pragma once

#include <cstdint>

#include "platform/surface.h"

// battle3 for the final battle's code 10, battle2 for the cover tiles,
// battle1 elsewhere.
Surface* BattleBackground(std::int32_t tileCode);
// The monster's rectangle in pbattle for its kind and attack step; empty for a
// kind that does not exist.
Rect MonsterPicture(std::int32_t kind, std::int32_t frame);
// The hero's rectangle in pbattle for his attack step.
Rect HeroPicture(std::int32_t frame);
// The cursor at row 0 (ATTACK) or 1 (HERB), the other row's cell painted over.
void DrawBattleCursor(std::int32_t row, Surface* surface);
// Background, menu box, ATTACK, the herb count and HP, on the BackBuffer.
void DrawBattleMenu(Surface* background);
