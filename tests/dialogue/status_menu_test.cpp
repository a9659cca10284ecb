// The status window: closing it, eating a herb, cancelling.
#include "dialogue/status_menu.h"

#include <gtest/gtest.h>

#include "dialogue_events.h"
#include "platform/input.h"
#include "shell/player.h"

namespace {

// The walking scene has read the devices before it opens the menu.
std::vector<std::string> OpenMenu(HeadlessGame& game, std::int32_t herbs, std::int32_t hp = 20) {
  game.host().SetQuitAt(20000);
  NewGame();
  Player.herbs = herbs;
  Player.hp = hp;
  ReadGamepad();
  ReadKeyboard();
  StatusMenu();
  return game.TakeTrace();
}

TEST(StatusMenu, AHeldConfirmClosesItAtOnceOnExit) {
  HeadlessGame game("0 A\n");
  EXPECT_TRUE(Messages(OpenMenu(game, 2)).empty());
  EXPECT_EQ(Player.herbs, 2);
  EXPECT_LE(game.Now(), 2u);
}

TEST(StatusMenu, AHerbRefillsHpAndIsGoneAndTheReplyWaitsForS) {
  HeadlessGame game("0 Left\n30\n40 A\n100\n3000 S\n");
  const auto trace = OpenMenu(game, 2);
  EXPECT_EQ(Player.herbs, 1);  // eaten although hp was full
  EXPECT_EQ(Player.hp, 20);
  EXPECT_EQ(Messages(trace), (std::vector<Message>{{1, 0xFFFFFF, "You HP recovered"}}));
  EXPECT_EQ(Plays(trace, "hp"), 0);
  EXPECT_GE(game.Now(), 3000u);
}

TEST(StatusMenu, WithoutHerbsTheAnswerIsNo) {
  HeadlessGame game("0 Left\n30 A\n3000 Pad2\n");
  const auto trace = OpenMenu(game, 0, 3);
  EXPECT_EQ(Messages(trace), (std::vector<Message>{{1, 0xFFFFFF, "You not have HERB"}}));
  EXPECT_EQ(Player.hp, 3);
}

TEST(StatusMenu, CancellingOnUseHerbKeepsTheHerb) {
  for (const char* cancel : {"S", "Pad2"}) {
    HeadlessGame game(std::string("0 Left\n30 ") + cancel + "\n");
    const auto trace = OpenMenu(game, 1);
    EXPECT_EQ(Player.herbs, 1) << cancel;
    EXPECT_TRUE(Messages(trace).empty());
    EXPECT_EQ(Plays(trace, "button2"), 1);
  }
}

// A confirm down together with the cancel still eats the herb.
TEST(StatusMenu, SWithAOnUseHerbStillEatsIt) {
  HeadlessGame game("0 Left\n30 S A\n");
  const auto trace = OpenMenu(game, 1, 3);
  EXPECT_EQ(Player.herbs, 0);
  EXPECT_EQ(Player.hp, 20);
  EXPECT_EQ(Messages(trace), (std::vector<Message>{{1, 0xFFFFFF, "You HP recovered"}}));
}

}  // namespace
