// The shop and the inn: prices, limits, the order of the checks, the words.
#include "dialogue/shop.h"

#include <gtest/gtest.h>

#include "dialogue_events.h"
#include "shell/player.h"

namespace {

constexpr std::uint32_t W = 0xFFFFFF, Y = 0x32FFFF;
using Msgs = std::vector<Message>;

const Msgs kMerchant = {{1, W, "Merchant: Hello!!!"},
                        {2, W, "          Can I help you?"},
                        {3, W, "          Ha ha ha ha"}};
const Msgs kBellboy = {{1, W, "Bellboy: Hello!!"},
                       {2, W, "         Would you like to get the room?"},
                       {3, W, "         Ha ha ha ha"},
                       {1, W, "Just 30 GOLD for one night."}};

Msgs Then(Msgs first, const Msgs& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}
Msgs Refused(const char* answer) {
  return Then(kMerchant, {{1, W, "Yeah, "}, {1, W, answer}, {2, W, "          Good Bye..."}});
}
Msgs Bought(const char* what) {
  return Then(kMerchant, {{1, W, "Yeah, "},
                          {1, W, "Merchant: Thank you!!"},
                          {2, W, "          Good Bye..."},
                          {1, Y, ""},
                          {2, Y, Indented(22, what)},
                          {3, Y, ""}});
}
std::vector<std::int32_t> Fields(const PlayerRecord& p) {
  return {p.level,  p.exp,     p.hp,    p.maxHp,    p.gold,
          p.attack, p.defence, p.herbs, p.hasSword, p.hasShield};
}

struct Visit {
  const char* name;
  void (*business)();
  std::int32_t gold, herbs, hasSword, hp;
  Customer customer;
  PlayerRecord after;
  int item;           // the shop's choice in the trace; -1: no choice made
  const char* sound;  // and how often it plays
  int plays;
  Msgs says;
};

// Each visit starts from a new game with the gold, herbs, sword and hp given.
TEST(ShopAndInn, EveryVisit) {
  const char* kPoor = "Merchant: Sorry,you have not enough money";
  const Visit visits[] = {
      {"AHerbForTheLastTenGold", RunShop, 10, 3, 0, 20, Customer{},
       PlayerRecord{1, 10, 20, 20, 0, 15, 10, 4, 0, 0}, 1, "getitem", 1,
       Then(kMerchant, Msgs{{1, W, "Yeah, "},
                            {1, W, "Merchant : Thank you!!"},
                            {2, W, "           Good Bye..."},
                            {3, W, ""},
                            {1, Y, ""},
                            {2, Y, Indented(22, "Recived 1 Herb")},
                            {3, Y, ""}})},
      // The sword's thanks are not waited for.
      {"TheSwordForExactlyNinetyGold", RunShop, 90, 0, 0, 20, Customer{.downPasses = 1},
       PlayerRecord{1, 10, 20, 20, 0, 45, 10, 0, 1, 0}, 2, "g_arm", 1, Bought("Recived Sword")},
      {"TheShieldRaisesDefenceOnly", RunShop, 60, 0, 0, 20, Customer{.downPasses = 2},
       PlayerRecord{1, 10, 20, 20, 10, 15, 40, 0, 0, 1}, 3, "g_arm", 1, Bought("Recived Shield")},
      // Gold is looked at before the limit.
      {"PoorAndFullOfHerbs", RunShop, 5, 4, 0, 20, Customer{},
       PlayerRecord{1, 10, 20, 20, 5, 15, 10, 4, 0, 0}, 1, "getitem", 0, Refused(kPoor)},
      {"AFifthHerb", RunShop, 20, 4, 0, 20, Customer{},
       PlayerRecord{1, 10, 20, 20, 20, 15, 10, 4, 0, 0}, 1, "getitem", 0,
       Refused("Merchant: Sorry,you have HERB too much")},
      {"ASecondSword", RunShop, 90, 0, 1, 20, Customer{.downPasses = 1},
       PlayerRecord{1, 10, 20, 20, 90, 15, 10, 0, 1, 0}, 2, "g_arm", 0,
       Refused("Merchant: Sorry,you aready got SWORD")},
      // Held Down moves one row a pass and stops at the shield.
      {"DownSixTimes", RunShop, 0, 0, 0, 20, Customer{.downPasses = 6},
       PlayerRecord{1, 10, 20, 20, 0, 15, 10, 0, 0, 0}, 3, "button", 2, Refused(kPoor)},
      {"SLeavesThePriceListWithoutAWord", RunShop, 100, 0, 0, 20, Customer{.choiceKey = kS},
       PlayerRecord{1, 10, 20, 20, 100, 15, 10, 0, 0, 0}, 0, "getitem", 0,
       Then(kMerchant, {{1, W, "Yeah, "}})},
      {"NoAtTheShopSaysGoodbye", RunShop, 100, 0, 0, 20, Customer{.declines = true},
       PlayerRecord{1, 10, 20, 20, 100, 15, 10, 0, 0, 0}, -1, "button", 1,
       Then(kMerchant, {{1, W, "          Good Bye...."}})},
      {"NoAtTheInnSaysNothing", RunInn, 100, 0, 0, 20, Customer{.declines = true},
       PlayerRecord{1, 10, 20, 20, 100, 15, 10, 0, 0, 0}, -1, "hp", 0, kBellboy},
      {"TheInnTakesThirtyGoldForFullHp", RunInn, 30, 0, 0, 5, Customer{},
       PlayerRecord{1, 10, 20, 20, 0, 15, 10, 0, 0, 0}, -1, "hp", 1,
       Then(kBellboy, Msgs{{1, W, "Bellboy: Your Welcome"},
                           {1, Y, ""},
                           {2, Y, Indented(22, "HP Recovered")},
                           {3, Y, ""}})},
      {"TheInnTurnsAwayAHeroOneGoldShort", RunInn, 29, 0, 0, 5, Customer{},
       PlayerRecord{1, 10, 5, 20, 29, 15, 10, 0, 0, 0}, -1, "hp", 0,
       Then(kBellboy, {{1, W, "Bellboy: Your Gold not enought. Sorry"}})},
  };
  HeadlessGame game;
  game.host().SetQuitAt(400000);
  for (const Visit& v : visits) {
    SCOPED_TRACE(v.name);
    NewGame();
    Player.gold = v.gold;
    Player.herbs = v.herbs;
    Player.hasSword = v.hasSword;
    Player.hp = v.hp;
    FillSurface(FrontSurface, kRawBlack);  // the scene, without last visit's window
    game.TakeTrace();
    Serve(game, v.customer);
    v.business();
    const auto trace = game.TakeTrace();
    EXPECT_EQ(Fields(Player), Fields(v.after));
    EXPECT_EQ(Messages(trace), v.says);
    const auto choice = Events(trace, "shop_choice");
    EXPECT_EQ(choice.empty() ? -1 : IntField(choice.at(0), "item"), v.item);
    EXPECT_EQ(Plays(trace, v.sound), v.plays) << v.sound;
  }
}

}  // namespace
