// A scripted player for the shop and the inn who reacts to what the screen
// shows, so the tests do not depend on how long each line takes to type.
#pragma once

#include <cstdint>

#include "support/headless_game.h"

struct Customer {
  bool answerNo = false;         // at the yes/no prompt, steer to NO first
  int downPasses = 0;            // in the price list, hold Down for this many passes
  std::uint32_t choiceKey = kA;  // then hold this key (A buys, S leaves)
};

// Holds A for every box; installs itself as the host's read hook.
void Serve(HeadlessGame& game, const Customer& customer);
