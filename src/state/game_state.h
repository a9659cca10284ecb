// Which part of the game runs: the main loop dispatches on GameState.
#pragma once

#include <cstdint>

enum : std::int32_t {
  Title = 0,
  WorldMap = 1,
  Village = 2,
  Castle = 3,
  DemonCastle = 4,  // Elmo's castle
  Ending = 5,
};

extern std::int32_t GameState;

// Sets GameState and writes the change to the event trace. Every change of
// state goes through here.
void SetGameState(std::int32_t state);
