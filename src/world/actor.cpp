#include "world/actor.h"

Actor actors[kActorSlots] = {};
std::int32_t lastMapLeft = 0;
