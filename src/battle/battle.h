#pragma once
#include <cstdint>
// A battle against kind 1 (Dragonfly), 2 (Devil Stone) or 10 (Elmo) on a cell
// of the given tile code. 1 for a win, 0 for a loss.
int RunBattle(std::int32_t kind, std::int32_t tileCode);
