#include "customer.h"

#include <memory>

#include "platform/display.h"

namespace {

constexpr std::uint32_t kMenuPassMs = 120;

bool PromptVisible(HeadlessGame& game) {
  return game.host().VisibleAt(506, 316) == kRawWhite &&
         game.host().VisibleAt(621, 353) == kRawWhite;
}

bool PriceListVisible(HeadlessGame& game) {
  return game.host().VisibleAt(158, 115) == kRawWhite &&
         game.host().VisibleAt(481, 361) == kRawWhite;
}

struct Progress {
  bool promptSeen = false;
  bool menuSeen = false;
  std::uint32_t promptAt = 0;
  std::uint32_t menuAt = 0;
};

}  // namespace

void Serve(HeadlessGame& game, const Customer& customer) {
  auto progress = std::make_shared<Progress>();
  game.host().SetHeld(kA);
  game.host().SetReadHook([&game, customer, progress](std::uint32_t t) {
    Progress& p = *progress;
    if (!p.promptSeen && PromptVisible(game)) {
      p.promptSeen = true;
      p.promptAt = t;
    }
    if (!p.menuSeen && PriceListVisible(game)) {
      p.menuSeen = true;
      p.menuAt = t;
    }
    std::uint32_t held = kA;
    if (p.menuSeen) {
      held = t - p.menuAt < kMenuPassMs * customer.downPasses ? kDown : customer.choiceKey;
    } else if (p.promptSeen && customer.answerNo && t - p.promptAt < 20) {
      held = kRight;
    }
    game.host().SetHeld(held);
  });
}
