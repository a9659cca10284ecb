// What the people say: the King's whole story, the Girl's fright, silence.
#include "dialogue/conversation.h"

#include <gtest/gtest.h>

#include "platform/display.h"
#include "state/player.h"
#include "support/headless_game.h"
#include "support/trace_reader.h"

namespace {

// A player who lets each box stand for 200 ms before tapping A counts the
// waits; the King tells the same story twice, the last words of the Girl and
// the Minister are not waited for, and nobody else says anything, in no time.
TEST(Conversation, EveryScriptWithItsWaits) {
  const std::vector<std::string> king = {
      "1WKing: Ohh..Oh.. How I can do?",
      "2W      Elmo caught my daughter...",
      "3W",
      "1WKing: When MIP ,the brave guy from legend will come?",
      "3W",
      "1WPim: I'm travel warrior. I'd been go everywhere..",
      "2W     I will save the princess.",
      "3Y     My name is PIM.",
      "1WKing: Pim..MIP..Oh! you may be the warrior in the legend.",
      "2Y      Listen to me.. You must go to the NW, Elmo's castle",
      "3Y      Please save Nadia ....."};
  const std::vector<std::string> girl = {
      "1RGirl: No! No! Don't come close to me.I scared. Elmo.. No!",
      "2WPim:  Easy, easy. I'm not Elmo...Who is Elmo?", "3W",
      "1WGirl: I don't know. Don't talk to me!!!"};
  const auto in = [](std::size_t blanks, const char* text) {
    return std::string(blanks, ' ') + text;
  };
  const std::vector<std::string> boy = {
      "1WBoy: My friend told that Elmo is coming to my village.. ", "3W"};
  const std::vector<std::string> woman = {
      "1WWoman: Our princess was caught by the devil Elmo..",
      "2W" + in(7, "He'd believe that if he eat her in the full moon,"),
      "3W" + in(7, "he will strongest in the world."),
      "1W" + in(7, "Nobody can beat him...Oh! Elmo is so awful..."), "3W"};
  const std::vector<std::string> soldier = {
      "1WSoldier: King is looking for brave guy to help the princess", "2W" + in(23, "Nadia"),
      "3W"};
  const std::vector<std::string> minister = {
      "1WMinister: The evil Elmo caught our princess..",
      "2W" + in(10, "We're waiting for the brave man from legend,"), "3Y" + in(28, "MIP"),
      "1WPim: I'll help the princess back..."};
  const std::vector<std::string> elmo = {"1WElmo: Nobody can beat me....",
                                         "2W" + in(6, "Ha ha ha ha     You too!!!"), "3W"};
  const struct {
    std::int32_t person;
    std::vector<std::string> says;
    int waits;
  } cases[] = {{8, king, 4},  {8, king, 4},    {2, girl, 1},     {3, boy, 1},
               {5, woman, 2}, {6, soldier, 1}, {7, minister, 1}, {10, elmo, 1},
               {0, {}, 0},    {-1, {}, 0},     {11, {}, 0}};
  HeadlessGame game;
  game.host().SetQuitAt(200000);  // a wait too many never ends
  int taps = 0;
  std::uint32_t since = 0;
  game.host().SetReadHook([&](std::uint32_t t) {
    const bool press = t - since >= 200;
    if (press) ++taps, since = t;
    game.host().SetHeld(press ? std::uint32_t{kA} : 0u);
  });
  for (const auto& c : cases) {
    taps = 0;
    const std::uint32_t start = game.Now();
    RunConversation(c.person);
    const auto trace = game.TakeTrace();
    EXPECT_EQ(Messages(trace), c.says) << c.person;
    EXPECT_EQ(taps, c.waits) << c.person;
    EXPECT_EQ(Num(Events(trace, "talk").at(0), "person"), c.person);
    EXPECT_TRUE(!c.says.empty() || game.Now() == start) << c.person;
  }
}

}  // namespace
