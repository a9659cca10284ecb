// What the people say: the King's whole story, the Girl's fright, silence.
#include "dialogue/conversation.h"

#include <gtest/gtest.h>

#include "dialogue_events.h"
#include "shell/player.h"

namespace {

constexpr std::uint32_t W = 0xFFFFFF, Y = 0x32FFFF, R = 0x0000FF;

// A player who lets each box stand for 200 ms and then taps A counts the
// waits; the King tells the same story each time he is asked, the Girl's last
// words are not waited for, and nobody else says anything.
TEST(Conversation, EveryScriptWithItsWaits) {
  const std::vector<Message> king = {
      {1, W, "King: Ohh..Oh.. How I can do?"},
      {2, W, "      Elmo caught my daughter..."},
      {3, W, ""},
      {1, W, "King: When MIP ,the brave guy from legend will come?"},
      {3, W, ""},
      {1, W, "Pim: I'm travel warrior. I'd been go everywhere.."},
      {2, W, "     I will save the princess."},
      {3, Y, "     My name is PIM."},
      {1, W, "King: Pim..MIP..Oh! you may be the warrior in the legend."},
      {2, Y, "      Listen to me.. You must go to the NW, Elmo's castle"},
      {3, Y, "      Please save Nadia ....."},
  };
  const std::vector<Message> girl = {
      {1, R, "Girl: No! No! Don't come close to me.I scared. Elmo.. No!"},
      {2, W, "Pim:  Easy, easy. I'm not Elmo...Who is Elmo?"},
      {3, W, ""},
      {1, W, "Girl: I don't know. Don't talk to me!!!"},
  };
  const struct {
    std::int32_t person;
    std::vector<Message> says;
    int waits;
  } cases[] = {{8, king, 4}, {8, king, 4}, {2, girl, 1}, {0, {}, 0},
               {-1, {}, 0},  {9, {}, 0},   {11, {}, 0}};
  HeadlessGame game;
  game.host().SetQuitAt(200000);  // a wait too many never ends
  int taps = 0;
  bool pressing = false;
  std::uint32_t since = 0;
  game.host().SetReadHook([&](std::uint32_t t) {
    if (pressing) {
      pressing = false;
      since = t;
    } else if (t - since >= 200) {
      pressing = true;
      ++taps;
    }
    game.host().SetHeld(pressing ? std::uint32_t{kA} : 0u);
  });
  for (const auto& c : cases) {
    taps = 0;
    const std::uint32_t start = game.Now();
    RunConversation(c.person);
    const auto trace = game.TakeTrace();
    EXPECT_EQ(Messages(trace), c.says) << c.person;
    EXPECT_EQ(taps, c.waits) << c.person;
    EXPECT_EQ(IntField(Events(trace, "talk").at(0), "person"), c.person);
    EXPECT_TRUE(!c.says.empty() || game.Now() == start) << c.person;  // silence takes no time
  }
}

}  // namespace
