// The shop and the inn: prices, limits, the order of the checks, and every
// word of their scripts.
#include "dialogue/shop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "customer.h"
#include "dialogue_events.h"
#include "shell/player.h"

namespace {

constexpr std::uint32_t kSafetyQuitMs = 600000;
constexpr std::uint32_t W = 0xFFFFFF;
constexpr std::uint32_t Y = 0x32FFFF;

struct Line {
  int line;
  std::uint32_t colour;
  std::string text;
  bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Line& l) {
  return out << "{" << l.line << ", " << l.colour << ", \"" << l.text << "\"}";
}

std::vector<Line> Lines(const std::vector<std::string>& trace) {
  std::vector<Line> lines;
  for (const Message& m : Messages(trace)) lines.push_back({m.line, m.colour, m.text});
  return lines;
}

const std::vector<Line> kShopGreeting = {
    {1, W, "Merchant: Hello!!!"},
    {2, W, "          Can I help you?"},
    {3, W, "          Ha ha ha ha"},
    {1, W, "Yeah, "},
};

std::vector<Line> Then(std::vector<Line> first, const std::vector<Line>& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

class ShopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game_.host().SetQuitAt(kSafetyQuitMs);
    NewGame();
    game_.TakeTrace();
  }
  // Runs the shop for one customer; returns the trace it left.
  std::vector<std::string> Visit(const Customer& customer) {
    Serve(game_, customer);
    RunShop();
    return game_.TakeTrace();
  }
  HeadlessGame game_;
};

TEST_F(ShopTest, AHerbForTheLastTenGold) {
  Player.gold = 10;
  Player.herbs = 3;
  const int presents = game_.host().Presents();
  const auto trace = Visit({});

  EXPECT_EQ(Player.gold, 0);
  EXPECT_EQ(Player.herbs, 4);
  EXPECT_EQ(Lines(trace), Then(kShopGreeting, {
                                                  {1, W, "Merchant : Thank you!!"},
                                                  {2, W, "           Good Bye..."},
                                                  {3, W, ""},
                                                  {1, Y, ""},
                                                  {2, Y, Indented(22, "Recived 1 Herb")},
                                                  {3, Y, ""},
                                              }));
  const auto sounds = PlayedSounds(trace);
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), "getitem"), sounds.end());
  // The thank-you box is taken away before the result box opens.
  EXPECT_EQ(game_.host().Presents(), presents + 1);
}

TEST_F(ShopTest, TheSwordForExactlyNinetyGold) {
  Player.gold = 90;
  const auto trace = Visit({.downPasses = 1});

  EXPECT_EQ(Player.gold, 0);
  EXPECT_EQ(Player.attack, 15 + 30);
  EXPECT_EQ(Player.hasSword, 1);
  EXPECT_EQ(Player.defence, 10);
  // No wait between the thank-you and the result box.
  EXPECT_EQ(Lines(trace), Then(kShopGreeting, {
                                                  {1, W, "Merchant: Thank you!!"},
                                                  {2, W, "          Good Bye..."},
                                                  {1, Y, ""},
                                                  {2, Y, Indented(22, "Recived Sword")},
                                                  {3, Y, ""},
                                              }));
  const auto sounds = PlayedSounds(trace);
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), "g_arm"), sounds.end());
}

TEST_F(ShopTest, TheShieldForFiftyGold) {
  Player.gold = 60;
  const auto trace = Visit({.downPasses = 2});

  EXPECT_EQ(Player.gold, 10);
  EXPECT_EQ(Player.defence, 10 + 30);
  EXPECT_EQ(Player.hasShield, 1);
  EXPECT_EQ(Player.attack, 15);
  const auto lines = Lines(trace);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], (Line{2, Y, Indented(22, "Recived Shield")}));
}

struct Refusal {
  const char* name;
  std::int32_t gold, herbs, hasSword, hasShield;
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
  Player.hasShield = r.hasShield;
  const PlayerRecord before = Player;
  const auto trace = Visit({.downPasses = r.row - 1});

  EXPECT_EQ(0, std::memcmp(&before, &Player, sizeof Player));
  EXPECT_EQ(Lines(trace), Then(kShopGreeting, {{1, W, r.answer}, {2, W, "          Good Bye..."}}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShopRefusal,
    ::testing::Values(
        // Gold is looked at before the limit.
        Refusal{"PoorAndFullOfHerbs", 5, 4, 0, 0, 1, "Merchant: Sorry,you have not enough money"},
        Refusal{"AFifthHerb", 20, 4, 0, 0, 1, "Merchant: Sorry,you have HERB too much"},
        Refusal{"ASecondSword", 90, 0, 1, 0, 2, "Merchant: Sorry,you aready got SWORD"},
        Refusal{"ASecondSwordWithoutTheMoney", 89, 0, 1, 0, 2,
                "Merchant: Sorry,you have not enough money"},
        Refusal{"ASecondShield", 500, 0, 0, 1, 3, "Merchant: Sorry,you aready got SHIELD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShopTest, LeavingThePriceListEndsTheShopWithoutAWord) {
  Player.gold = 100;
  const PlayerRecord before = Player;
  const auto trace = Visit({.choiceKey = kS});

  EXPECT_EQ(0, std::memcmp(&before, &Player, sizeof Player));
  EXPECT_EQ(Lines(trace), kShopGreeting);
  const auto choices = Events(trace, "shop_choice");
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(IntField(choices[0], "item"), 0);
}

TEST_F(ShopTest, NoAtThePromptSaysGoodBye) {
  Player.gold = 100;
  const auto trace = Visit({.answerNo = true});
  EXPECT_EQ(Lines(trace), (std::vector<Line>{
                              {1, W, "Merchant: Hello!!!"},
                              {2, W, "          Can I help you?"},
                              {3, W, "          Ha ha ha ha"},
                              {1, W, "          Good Bye...."},
                          }));
  EXPECT_TRUE(Events(trace, "shop_choice").empty());
}

TEST(ShopMenu, HeldDownMovesOneRowAPassAndStopsAtTheShield) {
  struct Case {
    int passes;
    int row;
    int clicks;
  };
  for (const Case& c : {Case{1, 2, 1}, Case{2, 3, 2}, Case{6, 3, 2}}) {
    SCOPED_TRACE(c.passes);
    HeadlessGame game;
    game.host().SetQuitAt(kSafetyQuitMs);
    NewGame();
    Player.gold = 0;  // whatever is chosen is refused: the choice is what counts
    Serve(game, {.downPasses = c.passes});
    RunShop();
    const auto trace = game.TakeTrace();
    const auto choices = Events(trace, "shop_choice");
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(IntField(choices[0], "item"), c.row);
    const auto sounds = PlayedSounds(trace);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "button"), c.clicks);
  }
}

TEST(ShopMenu, EachPassTakesAHundredAndTwentyMilliseconds) {
  HeadlessGame game("0 Down\n1000 A\n");
  game.host().SetQuitAt(kSafetyQuitMs);
  EXPECT_EQ(ChooseShopItem(), 3);
  // Passes end at 120, 241, ..., the first after 1000 ms sees A.
  EXPECT_GE(game.Now(), 1000u);
  EXPECT_LE(game.Now(), 1000u + 122);
}

class InnTest : public ShopTest {
 protected:
  std::vector<std::string> Stay(const Customer& customer) {
    Serve(game_, customer);
    RunInn();
    return game_.TakeTrace();
  }
};

const std::vector<Line> kInnGreeting = {
    {1, W, "Bellboy: Hello!!"},
    {2, W, "         Would you like to get the room?"},
    {3, W, "         Ha ha ha ha"},
    {1, W, "Just 30 GOLD for one night."},
};

TEST_F(InnTest, ANightForThirtyGoldRestoresHp) {
  Player.gold = 30;
  Player.hp = 5;
  const auto trace = Stay({});

  EXPECT_EQ(Player.gold, 0);
  EXPECT_EQ(Player.hp, Player.maxHp);
  EXPECT_EQ(Lines(trace), Then(kInnGreeting, {
                                                 {1, W, "Bellboy: Your Welcome"},
                                                 {1, Y, ""},
                                                 {2, Y, Indented(22, "HP Recovered")},
                                                 {3, Y, ""},
                                             }));
  const auto sounds = PlayedSounds(trace);
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), "hp"), sounds.end());
}

TEST_F(InnTest, AHeroWithFullHpPaysAllTheSame) {
  Player.gold = 45;
  Stay({});
  EXPECT_EQ(Player.gold, 15);
  EXPECT_EQ(Player.hp, 20);
}

TEST_F(InnTest, TooLittleGoldIsRefused) {
  Player.gold = 29;
  Player.hp = 5;
  const PlayerRecord before = Player;
  const auto trace = Stay({});
  EXPECT_EQ(0, std::memcmp(&before, &Player, sizeof Player));
  EXPECT_EQ(Lines(trace), Then(kInnGreeting, {{1, W, "Bellboy: Your Gold not enought. Sorry"}}));
}

TEST_F(InnTest, NoEndsTheTalkAtOnce) {
  Player.gold = 100;
  Player.hp = 5;
  const auto trace = Stay({.answerNo = true});
  EXPECT_EQ(Player.gold, 100);
  EXPECT_EQ(Player.hp, 5);
  EXPECT_EQ(Lines(trace), kInnGreeting);
}

}  // namespace
