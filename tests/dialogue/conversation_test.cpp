// What the people say: the King's whole story, the Girl's fright, silence.
#include "dialogue/conversation.h"

#include <gtest/gtest.h>

#include "dialogue_events.h"
#include "shell/player.h"

namespace {

constexpr std::uint32_t W = 0xFFFFFF, Y = 0x32FFFF, R = 0x0000FF;

TEST(Conversation, TheKingTellsTheWholeStoryWithFourWaitsEveryTime) {
  // A player who lets each box stand for 200 ms and then taps A.
  HeadlessGame game;
  game.host().SetQuitAt(200000);
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
  for (int talk = 1; talk <= 2; ++talk) {
    taps = 0;
    RunConversation(8);
    EXPECT_EQ(Messages(game.TakeTrace()), king) << "talk " << talk;
    EXPECT_EQ(taps, 4) << "talk " << talk;
  }
}

TEST(Conversation, TheGirlCriesInRedAndHerLastWordsAreNotWaitedFor) {
  // S answers the one wait and is let go; a second wait would never end.
  HeadlessGame game;
  game.host().SetQuitAt(60000);
  int reads = 0;
  game.host().SetReadHook(
      [&](std::uint32_t) { game.host().SetHeld(reads++ == 0 ? std::uint32_t{kS} : 0u); });
  RunConversation(2);
  EXPECT_EQ(
      Messages(game.TakeTrace()),
      (std::vector<Message>{{1, R, "Girl: No! No! Don't come close to me.I scared. Elmo.. No!"},
                            {2, W, "Pim:  Easy, easy. I'm not Elmo...Who is Elmo?"},
                            {3, W, ""},
                            {1, W, "Girl: I don't know. Don't talk to me!!!"}}));
  EXPECT_EQ(reads, 1);
}

TEST(Conversation, NobodyElseSaysAnything) {
  HeadlessGame game;
  for (std::int32_t id : {0, -1, 9, 11}) {
    RunConversation(id);
    const auto trace = game.TakeTrace();
    EXPECT_TRUE(Messages(trace).empty()) << id;
    EXPECT_EQ(IntField(Events(trace, "talk").at(0), "person"), id);
  }
  EXPECT_EQ(game.Now(), 0u);
}

}  // namespace
