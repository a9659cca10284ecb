// The status window: closing it, eating a herb, cancelling.
#include "dialogue/status_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "dialogue/message_box.h"
#include "dialogue_events.h"
#include "platform/display.h"
#include "platform/input.h"
#include "shell/player.h"

namespace {

constexpr std::uint32_t kSafetyQuitMs = 120000;

// The walking scene has read the devices (and seen Z) before it opens the menu.
void OpenMenu() {
  ReadGamepad();
  ReadKeyboard();
  StatusMenu();
}

TEST(StatusMenu, ShowsTheRecordAndAHeldConfirmClosesItAtOnce) {
  for (const char* key : {"A", "Pad1"}) {
    SCOPED_TRACE(key);
    HeadlessGame game(std::string("0 ") + key + "\n");
    game.host().SetQuitAt(kSafetyQuitMs);
    NewGame();
    Player.herbs = 2;
    Player.hp = 7;
    const PlayerRecord before = Player;
    const std::uint32_t start = game.Now();
    OpenMenu();

    EXPECT_LE(game.Now() - start, 2u);
    EXPECT_EQ(0, std::memcmp(&before, &Player, sizeof Player));
    EXPECT_TRUE(TakeMessages(game).empty());
    EXPECT_EQ(FrontSurface->At(48, 48), kRawWhite);
    EXPECT_EQ(FrontSurface->At(51, 51), kRawBlue);
    EXPECT_TRUE(CursorDrawnAt(FrontSurface, 187, 233));  // it opens on EXIT
    for (int i = 0; i < 80; ++i) ASSERT_EQ(lineBuffer[i], 0);
  }
}

TEST(StatusMenu, UsingAHerbFillsHpAndTakesOneEvenWhenHpIsFull) {
  for (std::int32_t hp : {3, 20}) {
    SCOPED_TRACE(hp);
    HeadlessGame game("0 Left\n30\n40 A\n100\n3000 S\n");
    game.host().SetQuitAt(kSafetyQuitMs);
    NewGame();
    Player.hp = hp;
    Player.herbs = 2;
    OpenMenu();

    EXPECT_EQ(Player.hp, Player.maxHp);
    EXPECT_EQ(Player.herbs, 1);
    EXPECT_GE(game.Now(), 3000u);  // the reply stays until S
    const auto trace = game.TakeTrace();
    const auto messages = Messages(trace);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].line, 1);
    EXPECT_EQ(messages[0].colour, 0xFFFFFFu);
    EXPECT_EQ(messages[0].text, "You HP recovered");
    // One click for the move and the box's own sound; no hp sound here.
    EXPECT_EQ(PlayedSounds(trace), (std::vector<std::string>{"button", "button2"}));
  }
}

TEST(StatusMenu, WithoutHerbsTheAnswerIsNoAndNothingChanges) {
  HeadlessGame game("0 Left\n30 A\n3000 Pad2\n");
  game.host().SetQuitAt(kSafetyQuitMs);
  NewGame();
  Player.hp = 4;
  const PlayerRecord before = Player;
  OpenMenu();

  EXPECT_EQ(0, std::memcmp(&before, &Player, sizeof Player));
  const auto messages = TakeMessages(game);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "You not have HERB");
}

TEST(StatusMenu, CancellingOnUseHerbPlaysItsSoundAndKeepsTheHerb) {
  for (const char* cancel : {"S", "Pad2"}) {
    SCOPED_TRACE(cancel);
    HeadlessGame game(std::string("0 Left\n30 ") + cancel + "\n");
    game.host().SetQuitAt(kSafetyQuitMs);
    NewGame();
    Player.hp = 4;
    Player.herbs = 1;
    OpenMenu();

    EXPECT_EQ(Player.hp, 4);
    EXPECT_EQ(Player.herbs, 1);
    const auto trace = game.TakeTrace();
    EXPECT_TRUE(Messages(trace).empty());
    EXPECT_EQ(PlayedSounds(trace), (std::vector<std::string>{"button", "button2"}));
  }
}

TEST(StatusMenu, SAndAInTheSameMomentStillEatTheHerb) {
  HeadlessGame game("0 Left\n30 A S\n");
  game.host().SetQuitAt(kSafetyQuitMs);
  NewGame();
  Player.hp = 4;
  Player.herbs = 1;
  OpenMenu();
  EXPECT_EQ(Player.hp, 20);
  EXPECT_EQ(Player.herbs, 0);
}

TEST(StatusMenu, ThePointerMovesOnceAndOnlyBetweenItsTwoChoices) {
  // Right at EXIT does nothing; held Left moves once; Right comes back.
  HeadlessGame game("0 Right\n30 Left\n200\n230 Right\n400 A\n");
  game.host().SetQuitAt(kSafetyQuitMs);
  NewGame();
  Player.herbs = 1;
  OpenMenu();
  EXPECT_EQ(Player.herbs, 1);  // A came on EXIT
  const auto sounds = PlayedSounds(game.TakeTrace());
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "button"), 2);
  EXPECT_TRUE(CursorDrawnAt(FrontSurface, 187, 233));
}

}  // namespace
