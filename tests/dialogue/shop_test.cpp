// The shop and the inn: prices, limits, the order of the checks, the words.
#include "dialogue/shop.h"

#include <gtest/gtest.h>

#include <cstring>

#include "dialogue_events.h"
#include "platform/display.h"
#include "shell/player.h"

namespace {

constexpr std::uint32_t W = 0xFFFFFF, Y = 0x32FFFF;

const std::vector<Message> kGreeting = {
    {1, W, "Merchant: Hello!!!"},
    {2, W, "          Can I help you?"},
    {3, W, "          Ha ha ha ha"},
    {1, W, "Yeah, "},
};

std::vector<Message> Greeting(const std::vector<Message>& then) {
  std::vector<Message> all = kGreeting;
  all.insert(all.end(), then.begin(), then.end());
  return all;
}

class ShopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game_.host().SetQuitAt(200000);
    NewGame();
  }
  std::vector<std::string> Visit(const Customer& customer, void (*business)() = RunShop) {
    FillSurface(FrontSurface, kRawBlack);  // the scene, without last visit's window
    game_.TakeTrace();
    Serve(game_, customer);
    business();
    return game_.TakeTrace();
  }
  HeadlessGame game_;
};

TEST_F(ShopTest, AHerbForTheLastTenGold) {
  Player.gold = 10;
  Player.herbs = 3;
  const auto trace = Visit({});
  EXPECT_EQ(Player.gold, 0);
  EXPECT_EQ(Player.herbs, 4);
  EXPECT_EQ(Messages(trace), Greeting({{1, W, "Merchant : Thank you!!"},
                                       {2, W, "           Good Bye..."},
                                       {3, W, ""},
                                       {1, Y, ""},
                                       {2, Y, Indented(22, "Recived 1 Herb")},
                                       {3, Y, ""}}));
  EXPECT_EQ(Plays(trace, "getitem"), 1);
}

TEST_F(ShopTest, TheSwordForExactlyNinetyGoldWithoutAWaitForTheThanks) {
  Player.gold = 90;
  const auto trace = Visit({.downPasses = 1});
  EXPECT_EQ(Player.gold, 0);
  EXPECT_EQ(Player.attack, 15 + 30);
  EXPECT_EQ(Player.hasSword, 1);
  EXPECT_EQ(Messages(trace), Greeting({{1, W, "Merchant: Thank you!!"},
                                       {2, W, "          Good Bye..."},
                                       {1, Y, ""},
                                       {2, Y, Indented(22, "Recived Sword")},
                                       {3, Y, ""}}));
  EXPECT_EQ(Plays(trace, "g_arm"), 1);
}

TEST_F(ShopTest, TheShieldRaisesDefenceAndLeavesAttackAlone) {
  Player.gold = 60;
  const auto trace = Visit({.downPasses = 2});
  EXPECT_EQ(Player.gold, 10);
  EXPECT_EQ(Player.defence, 10 + 30);
  EXPECT_EQ(Player.attack, 15);
  EXPECT_EQ(Player.hasShield, 1);
  EXPECT_EQ(Player.hasSword, 0);
  EXPECT_EQ(Messages(trace).at(7), (Message{2, Y, Indented(22, "Recived Shield")}));
  EXPECT_EQ(Plays(trace, "g_arm"), 1);
}

TEST_F(ShopTest, NoAtTheQuestionEndsTheShopWithAGoodbyeAndTheInnWithout) {
  Player.gold = 100;
  auto trace = Visit({.declines = true});
  EXPECT_EQ(Messages(trace),
            (std::vector<Message>{
                kGreeting[0], kGreeting[1], kGreeting[2], {1, W, "          Good Bye...."}}));
  EXPECT_TRUE(Events(trace, "shop_choice").empty());
  EXPECT_EQ(IntField(Events(trace, "yesno").at(0), "answer"), 0);

  trace = Visit({.declines = true}, RunInn);
  EXPECT_EQ(Messages(trace).back(), (Message{1, W, "Just 30 GOLD for one night."}));
  EXPECT_EQ(Player.gold, 100);
}

struct Refusal {
  const char* name;
  std::int32_t gold, herbs, hasSword;
  int row;
  const char* answer;
};
void PrintTo(const Refusal& r, std::ostream* out) {
  *out << r.name;
}

class ShopRefusal : public ShopTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ShopRefusal, RefusesAndChangesNothing) {
  const Refusal& r = GetParam();
  Player.gold = r.gold;
  Player.herbs = r.herbs;
  Player.hasSword = r.hasSword;
  const PlayerRecord before = Player;
  const auto trace = Visit({.downPasses = r.row - 1});
  EXPECT_EQ(0, std::memcmp(&before, &Player, sizeof Player));
  EXPECT_EQ(Messages(trace), Greeting({{1, W, r.answer}, {2, W, "          Good Bye..."}}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShopRefusal,
    ::testing::Values(
        // Gold is looked at before the limit.
        Refusal{"PoorAndFullOfHerbs", 5, 4, 0, 1, "Merchant: Sorry,you have not enough money"},
        Refusal{"AFifthHerb", 20, 4, 0, 1, "Merchant: Sorry,you have HERB too much"},
        Refusal{"ASecondSword", 90, 0, 1, 2, "Merchant: Sorry,you aready got SWORD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShopTest, LeavingThePriceListEndsTheShopWithoutAWord) {
  Player.gold = 100;
  const auto trace = Visit({.choiceKey = kS});
  EXPECT_EQ(Player.gold, 100);
  EXPECT_EQ(Messages(trace), kGreeting);
  EXPECT_EQ(IntField(Events(trace, "shop_choice").at(0), "item"), 0);
}

TEST_F(ShopTest, HeldDownMovesOneRowAPassAndStopsAtTheShield) {
  Player.gold = 0;  // every choice is refused; the row is what counts
  for (auto [passes, row, clicks] : {std::tuple{1, 2, 1}, {2, 3, 2}, {6, 3, 2}}) {
    const auto trace = Visit({.downPasses = passes});
    EXPECT_EQ(IntField(Events(trace, "shop_choice").at(0), "item"), row) << passes;
    EXPECT_EQ(Plays(trace, "button"), clicks) << passes;
  }
}

TEST_F(ShopTest, TheInnTakesThirtyGoldForFullHp) {
  Player.gold = 30;
  Player.hp = 5;
  const auto trace = Visit({}, RunInn);
  EXPECT_EQ(Player.gold, 0);
  EXPECT_EQ(Player.hp, Player.maxHp);
  EXPECT_EQ(Messages(trace),
            (std::vector<Message>{{1, W, "Bellboy: Hello!!"},
                                  {2, W, "         Would you like to get the room?"},
                                  {3, W, "         Ha ha ha ha"},
                                  {1, W, "Just 30 GOLD for one night."},
                                  {1, W, "Bellboy: Your Welcome"},
                                  {1, Y, ""},
                                  {2, Y, Indented(22, "HP Recovered")},
                                  {3, Y, ""}}));
  EXPECT_EQ(Plays(trace, "hp"), 1);
}

TEST_F(ShopTest, TheInnTurnsAwayAHeroOneGoldShort) {
  Player.gold = 29;
  Player.hp = 5;
  const PlayerRecord before = Player;
  const auto trace = Visit({}, RunInn);
  EXPECT_EQ(0, std::memcmp(&before, &Player, sizeof Player));
  EXPECT_EQ(Messages(trace).back(), (Message{1, W, "Bellboy: Your Gold not enought. Sorry"}));
  EXPECT_EQ(Plays(trace, "hp"), 0);
}

}  // namespace
