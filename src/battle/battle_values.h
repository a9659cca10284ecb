// What a battle keeps while it runs. Process-wide, like the rest of the
// game's state; RunBattle sets them all afresh when a fight starts.
#pragma once

#include <cstdint>

#include "state/player.h"

// The monster being fought: a copy of its kind's template, worn down by the
// hero's blows and cleared by the victory step. All zero at process start.
extern MonsterStats currentMonster;

extern std::int32_t cursorRow;          // 0 ATTACK, 1 HERB
extern std::int32_t heroActing;         // the chosen action is under way
extern std::int32_t enemyTurn;          // the monster's turn is under way
extern std::int32_t heroFrame;          // hero attack step, 0 to 2
extern std::int32_t monsterFrame;       // monster attack step, 0 to monsterFrameCount
extern std::int32_t monsterFrameCount;  // 2; 3 against Elmo
extern std::int32_t monsterX, monsterY;
extern std::int32_t heroX, heroY;
extern std::int32_t monsterHitPending;  // "... damaged" is due this pass
extern std::int32_t heroHitPending;     // "Pim damaged" is due this pass
extern std::int32_t monsterDefeated;    // no longer drawn
extern std::int32_t lastDamage;
