// A scripted customer for the shop and inn tests, and the trace reader.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/display.h"
#include "support/headless_game.h"
#include "support/trace_reader.h"

// A player for the shop and the inn who watches the screen: A for every box
// and the prompt; once the price list shows, Down for `downPasses` passes of
// the menu, then `choiceKey`. One who `declines` steers the prompt to NO.
struct Customer {
  int downPasses = 0;
  std::uint32_t choiceKey = kA;
  bool declines = false;
};

inline void Serve(HeadlessGame& game, const Customer& customer) {
  auto shownAt = std::make_shared<std::uint32_t>(0);
  auto steered = std::make_shared<bool>(false);
  game.host().SetHeld(kA);
  game.host().SetReadHook([&game, customer, shownAt, steered](std::uint32_t t) {
    if (*shownAt == 0 && game.host().VisibleAt(158, 115) == kRawWhite) *shownAt = t;
    std::uint32_t held = kA;
    if (*shownAt != 0)
      held = t - *shownAt < 120u * customer.downPasses ? kDown : customer.choiceKey;
    if (customer.declines && !*steered && game.host().VisibleAt(506, 316) == kRawWhite) {
      *steered = true;  // Right once at the prompt, then A answers NO
      held = kRight;
    }
    game.host().SetHeld(held);
  });
}
