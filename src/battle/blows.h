// The blows of a fight, worked out from the shared random draw.
#pragma once

#include <cstdint>

// The hero's blow against currentMonster: up to five tries while a try comes
// out exactly 0; never negative.
std::int32_t HeroBlow();
// The monster's blow against the hero: one try; never negative.
std::int32_t MonsterBlow();
