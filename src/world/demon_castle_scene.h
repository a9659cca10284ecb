// The flames beside Elmo's corridor and Elmo's own two pictures keep their
// phase between visits and between games.
#pragma once

#include <cstdint>

extern std::int32_t cellAnimCountdown;
extern std::int32_t cellAnimFrame;
extern std::int32_t elmoCountdown;
extern std::int32_t elmoFrame;
