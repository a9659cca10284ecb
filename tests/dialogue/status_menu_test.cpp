// The status window: closing it, eating a herb, cancelling.
#include "dialogue/status_menu.h"

#include <gtest/gtest.h>

#include "platform/display.h"
#include "platform/input.h"
#include "state/player.h"
#include "support/headless_game.h"
#include "support/trace_reader.h"

namespace {

// Left goes to USE HERB and Right back to EXIT, each with a click; A held on
// opening closes the window at once; a herb is eaten even at full hp and the
// reply waits for S or gamepad 2; S or gamepad 2 cancels (with its own click)
// and keeps the herb, unless A is down with it.
TEST(StatusMenu, ExitHerbAndCancel) {
  const struct {
    const char* script;
    std::int32_t herbs, hp, herbsAfter, hpAfter;
    const char* reply;
    std::uint32_t from, to;  // when the menu closes
  } cases[] = {{"0 A\n", 2, 20, 2, 20, nullptr, 0, 2},
               {"0 Left\n30\n40 A\n100\n3000 S\n", 2, 20, 1, 20, "You HP recovered", 3000, 3100},
               {"0 Left\n30 A\n3000 Pad2\n", 0, 3, 0, 3, "You not have HERB", 3000, 3100},
               {"0 Left\n30 S\n", 1, 20, 1, 20, nullptr, 0, 100},
               {"0 Left\n30 Pad2\n", 1, 20, 1, 20, nullptr, 0, 100},
               {"0 Left\n30 S A\n", 1, 3, 0, 20, "You HP recovered", 0, 2000},
               {"0 Left\n30 Right\n60 A\n", 1, 3, 1, 3, nullptr, 60, 160}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    HeadlessGame game(c.script);
    game.host().SetQuitAt(20000);
    NewGame();
    Player.herbs = c.herbs;
    Player.hp = c.hp;
    ReadGamepad();  // as the walking scene has before it opens the menu
    ReadKeyboard();
    StatusMenu();
    const auto trace = game.TakeTrace();
    EXPECT_EQ(Player.herbs, c.herbsAfter);
    EXPECT_EQ(Player.hp, c.hpAfter);
    EXPECT_EQ(Messages(trace), c.reply ? std::vector<std::string>{std::string("1W") + c.reply}
                                       : std::vector<std::string>{});
    EXPECT_EQ(Plays(trace, "hp"), 0);
    const std::string script = c.script;
    EXPECT_EQ(Plays(trace, "button"), Has(script, "Left") + Has(script, "Right"));
    EXPECT_EQ(Plays(trace, "button2"), Has(script, " S") || Has(script, "Pad2") ? 1 : 0);
    EXPECT_GE(game.Now(), c.from);
    EXPECT_LE(game.Now(), c.to);
  }
}

}  // namespace
