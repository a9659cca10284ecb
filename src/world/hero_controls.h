#pragma once
#include <cstdint>
// Status menu on Z, walking direction from the arrows or the stick.
void ReadHeroControls();

// The Direction asked for this frame. The towns also use it for each person's
// choice while they update the people; the hero's value is renewed in every
// frame in which he could start a step, so theirs never reaches him.
extern std::int32_t requestedDirection;
