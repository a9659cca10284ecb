#include "battle/blows.h"

#include "battle/battle_values.h"
#include "platform/random.h"
#include "state/player.h"

std::int32_t HeroBlow() {
  std::int32_t damage = 0;
  for (int tries = 0; tries < 5; ++tries) {
    // Two separate statements: the monster's share is drawn first.
    const std::int32_t a = Rand() % currentMonster.defence;
    const std::int32_t b = Rand() % Player.attack;
    damage = b + a - currentMonster.defence;
    // A miss (exactly 0) is swung again; a negative result is not.
    if (damage != 0) break;
  }
  return damage < 0 ? 0 : damage;
}

std::int32_t MonsterBlow() {
  const std::int32_t a = Rand() % Player.defence;
  const std::int32_t b = Rand() % currentMonster.attack;
  const std::int32_t damage = b + a - Player.defence;
  return damage < 0 ? 0 : damage;
}
