// What each person says, line by line, with its colours and blanks.
#include "dialogue/conversation.h"

#include <gtest/gtest.h>

#include <cstring>

#include "dialogue_events.h"
#include "shell/player.h"

namespace {

constexpr std::uint32_t kSafetyQuitMs = 600000;
constexpr std::uint32_t W = 0xFFFFFF;
constexpr std::uint32_t Y = 0x32FFFF;
constexpr std::uint32_t R = 0x0000FF;

struct Expected {
  int line;
  std::uint32_t colour;
  std::string text;
};

// Runs a talk with S held throughout, which answers every wait at once.
std::vector<Message> Talk(HeadlessGame& game, std::int32_t personId) {
  game.host().SetQuitAt(kSafetyQuitMs);
  NewGame();
  game.TakeTrace();
  RunConversation(personId);
  return TakeMessages(game);
}

void ExpectScript(const std::vector<Message>& shown, const std::vector<Expected>& script) {
  ASSERT_EQ(shown.size(), script.size());
  for (std::size_t i = 0; i < script.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i + 1));
    EXPECT_EQ(shown[i].line, script[i].line);
    EXPECT_EQ(shown[i].colour, script[i].colour);
    EXPECT_EQ(shown[i].text, script[i].text);
  }
}

TEST(Conversation, TheKingTellsTheWholeStoryEveryTime) {
  HeadlessGame game("0 S\n");
  const std::vector<Expected> king = {
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
  ExpectScript(Talk(game, 8), king);
  // A second talk replays all of it: nothing is remembered.
  RunConversation(8);
  ExpectScript(TakeMessages(game), king);
}

TEST(Conversation, TheKingWaitsForThePlayerFourTimes) {
  // A player who lets each box stand for 200 ms, then taps A once.
  HeadlessGame game;
  int presses = 0;
  bool pressing = false;
  std::uint32_t since = 0;
  game.host().SetReadHook([&](std::uint32_t t) {
    if (pressing) {
      pressing = false;
      since = t;
      game.host().SetHeld(0);
    } else if (t - since >= 200) {
      pressing = true;
      ++presses;
      game.host().SetHeld(kA);
    }
  });
  Talk(game, 8);
  EXPECT_EQ(presses, 4);
}

TEST(Conversation, EveryOtherScriptAsWritten) {
  struct Case {
    std::int32_t id;
    std::vector<Expected> script;
  };
  const std::vector<Case> cases = {
      {2,
       {{1, R, "Girl: No! No! Don't come close to me.I scared. Elmo.. No!"},
        {2, W, "Pim:  Easy, easy. I'm not Elmo...Who is Elmo?"},
        {3, W, ""},
        {1, W, "Girl: I don't know. Don't talk to me!!!"}}},
      {3, {{1, W, "Boy: My friend told that Elmo is coming to my village.. "}, {3, W, ""}}},
      {5,
       {{1, W, "Woman: Our princess was caught by the devil Elmo.."},
        {2, W, "       He'd believe that if he eat her in the full moon,"},
        {3, W, "       he will strongest in the world."},
        {1, W, "       Nobody can beat him...Oh! Elmo is so awful..."},
        {3, W, ""}}},
      {6,
       {{1, W, "Soldier: King is looking for brave guy to help the princess"},
        {2, W, "                       Nadia"},
        {3, W, ""}}},
      {7,
       {{1, W, "Minister: The evil Elmo caught our princess.."},
        {2, W, "          We're waiting for the brave man from legend,"},
        {3, Y, "                            MIP"},
        {1, W, "Pim: I'll help the princess back..."}}},
      {10,
       {{1, W, "Elmo: Nobody can beat me...."},
        {2, W, "      Ha ha ha ha     You too!!!"},
        {3, W, ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("person " + std::to_string(c.id));
    HeadlessGame game("0 S\n");
    ExpectScript(Talk(game, c.id), c.script);
  }
}

TEST(Conversation, TheGirlsLastWordsAreNotWaitedFor) {
  // S answers the one wait and is let go at once; a second wait would never
  // end. The talk ends as soon as the last line is typed.
  HeadlessGame game;
  int reads = 0;
  game.host().SetReadHook(
      [&](std::uint32_t) { game.host().SetHeld(reads++ == 0 ? std::uint32_t{kS} : 0u); });
  const auto shown = Talk(game, 2);
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(game.Now() - shown[3].t, 39u * 50);
}

TEST(Conversation, NobodyElseSaysAnything) {
  for (std::int32_t id : {0, -1, 9, 11, 1000}) {
    SCOPED_TRACE(id);
    HeadlessGame game;
    game.host().SetQuitAt(kSafetyQuitMs);
    const std::uint32_t start = game.Now();
    RunConversation(id);
    EXPECT_EQ(game.Now(), start);
    const auto trace = game.TakeTrace();
    EXPECT_TRUE(Messages(trace).empty());
    const auto talks = Events(trace, "talk");
    ASSERT_EQ(talks.size(), 1u);
    EXPECT_EQ(IntField(talks[0], "person"), id);
  }
}

TEST(Conversation, ScriptsChangeNothingInTheRecord) {
  for (std::int32_t id : {2, 3, 5, 6, 7, 8, 10}) {
    HeadlessGame game("0 S\n");
    game.host().SetQuitAt(kSafetyQuitMs);
    NewGame();
    const PlayerRecord before = Player;
    RunConversation(id);
    EXPECT_EQ(0, std::memcmp(&before, &Player, sizeof Player)) << "person " << id;
  }
}

}  // namespace
