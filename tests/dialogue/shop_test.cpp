// The shop and the inn: prices, limits, the order of the checks, the words.
#include "dialogue/shop.h"

#include <gtest/gtest.h>

#include "platform/display.h"
#include "state/player.h"
#include "support/headless_game.h"
#include "support/trace_reader.h"

namespace {

// A customer who watches the screen: A for every box and the prompt; once the
// price list shows, Down for `downPasses` passes of the menu, then
// `choiceKey`. One who `declines` steers the prompt to NO.
struct Customer {
  std::uint32_t downPasses = 0;
  std::uint32_t choiceKey = kA;
  bool declines = false;
};

void Serve(HeadlessGame& game, const Customer& customer) {
  game.host().SetHeld(kA);
  game.host().SetReadHook(
      [&game, customer, shownAt = 0u, steered = false](std::uint32_t t) mutable {
        if (shownAt == 0 && game.host().VisibleAt(158, 115) == kRawWhite) shownAt = t;
        std::uint32_t held = kA;
        if (shownAt != 0)
          held = t - shownAt < 120u * customer.downPasses ? kDown : customer.choiceKey;
        if (customer.declines && !steered && game.host().VisibleAt(506, 316) == kRawWhite) {
          steered = true;  // Right once at the prompt, then A answers NO
          held = kRight;
        }
        game.host().SetHeld(held);
      });
}

using Msgs = std::vector<std::string>;
const std::string kGot = "2Y" + std::string(22, ' ') + "Recived ";
const Msgs kMerchant = {"1WMerchant: Hello!!!", "2W          Can I help you?",
                        "3W          Ha ha ha ha", "1WYeah, "};
const Msgs kBellboy = {"1WBellboy: Hello!!", "2W         Would you like to get the room?",
                       "3W         Ha ha ha ha", "1WJust 30 GOLD for one night."};

Msgs Then(Msgs first, const Msgs& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}
Msgs Refused(const char* answer) {
  return Then(kMerchant,
              {std::string("1WMerchant: Sorry,you ") + answer, "2W          Good Bye..."});
}
Msgs Bought(const char* what) {  // the thanks for an arm are not waited for
  return Then(kMerchant,
              {"1WMerchant: Thank you!!", "2W          Good Bye...", "1Y", kGot + what, "3Y"});
}

// Each visit starts from a new game (10 exp, 20 hp, attack 15, defence 10)
// with the gold, herbs, sword and hp given; gold is looked at before limits.
TEST(ShopAndInn, EveryVisit) {
  const char* kPoor = "have not enough money";
  const struct {
    void (*business)();
    std::int32_t gold, herbs, hasSword, hp;
    Customer customer;
    std::vector<std::int32_t> after;  // gold, herbs, attack, defence, sword, shield, hp
    int item;                         // the shop's choice traced; -1: none
    const char* sound;
    int plays;
    Msgs says;
  } visits[] = {
      // clang-format off
      {RunShop, 10, 3, 0, 20, {}, {0, 4, 15, 10, 0, 0, 20}, 1, "getitem", 1,
       Then(kMerchant, {"1WMerchant : Thank you!!", "2W           Good Bye...", "3W", "1Y",
                        kGot + "1 Herb", "3Y"})},
      {RunShop, 90, 0, 0, 20, {.downPasses = 1}, {0, 0, 45, 10, 1, 0, 20}, 2, "g_arm", 1,
       Bought("Sword")},
      {RunShop, 60, 0, 0, 20, {.downPasses = 2}, {10, 0, 15, 40, 0, 1, 20}, 3, "g_arm", 1,
       Bought("Shield")},
      {RunShop, 5, 4, 0, 20, {}, {5, 4, 15, 10, 0, 0, 20}, 1, "getitem", 0, Refused(kPoor)},
      {RunShop, 20, 4, 0, 20, {}, {20, 4, 15, 10, 0, 0, 20}, 1, "getitem", 0,
       Refused("have HERB too much")},
      {RunShop, 90, 0, 1, 20, {.downPasses = 1}, {90, 0, 15, 10, 1, 0, 20}, 2, "g_arm", 0,
       Refused("aready got SWORD")},
      // Held Down moves one row a pass and stops at the shield.
      {RunShop, 0, 0, 0, 20, {.downPasses = 6}, {0, 0, 15, 10, 0, 0, 20}, 3, "button", 2,
       Refused(kPoor)},
      {RunShop, 100, 0, 0, 20, {.choiceKey = kS}, {100, 0, 15, 10, 0, 0, 20}, 0, "getitem", 0,
       kMerchant},
      {RunShop, 100, 0, 0, 20, {.declines = true}, {100, 0, 15, 10, 0, 0, 20}, -1, "button", 1,
       Then(Msgs(kMerchant.begin(), kMerchant.end() - 1), {"1W          Good Bye...."})},
      {RunInn, 100, 0, 0, 20, {.declines = true}, {100, 0, 15, 10, 0, 0, 20}, -1, "hp", 0,
       kBellboy},
      {RunInn, 30, 0, 0, 5, {}, {0, 0, 15, 10, 0, 0, 20}, -1, "hp", 1,
       Then(kBellboy, {"1WBellboy: Your Welcome", "1Y",
                       "2Y" + std::string(22, ' ') + "HP Recovered", "3Y"})},
      {RunInn, 29, 0, 0, 5, {}, {29, 0, 15, 10, 0, 0, 5}, -1, "hp", 0,
       Then(kBellboy, {"1WBellboy: Your Gold not enought. Sorry"})},
      // clang-format on
  };
  HeadlessGame game;
  game.host().SetQuitAt(400000);
  for (const auto& v : visits) {
    SCOPED_TRACE(&v - visits);
    NewGame();
    Player.gold = v.gold;
    Player.herbs = v.herbs;
    Player.hasSword = v.hasSword;
    Player.hp = v.hp;
    FillSurface(FrontSurface,
                kRawBlack);  // the scene, without last visit's window
    FillSurface(BackBuffer, kRawBlack);
    game.TakeTrace();
    Serve(game, v.customer);
    v.business();
    const auto trace = game.TakeTrace();
    EXPECT_EQ(std::vector<std::int32_t>({Player.gold, Player.herbs, Player.attack, Player.defence,
                                         Player.hasSword, Player.hasShield, Player.hp}),
              v.after);
    EXPECT_EQ(std::vector({Player.level, Player.exp, Player.maxHp}), std::vector({1, 10, 20}));
    // The night's stay brings the scene back over the prompt before the
    // hp line; a refused or declined one leaves the prompt standing.
    if (v.business == RunInn) {
      EXPECT_EQ(game.host().VisibleAt(506, 316) == kRawWhite, Player.gold == v.gold);
    }
    EXPECT_EQ(Messages(trace), v.says);
    const auto choice = Events(trace, "shop_choice");
    EXPECT_EQ(choice.empty() ? -1 : Num(choice.at(0), "item"), v.item);
    EXPECT_EQ(Plays(trace, v.sound), v.plays) << v.sound;
  }
}

}  // namespace
