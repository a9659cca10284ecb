// Whole games played by the test player: one won from the title to the ending,
// one lost outside the King's castle; each ends in the fresh game after.
#include <gtest/gtest.h>

#include "game/bot.h"
#include "support/test_main.h"

namespace {

// Several times what a game needs (about ten minutes): a stuck player fails
// within the test's time.
constexpr std::uint32_t kLimitMs = 30 * 60 * 1000;
constexpr const char* kNewGame = R"("ev":"state","to":1})";
constexpr const char* kFreshRecord =
    R"("ev":"player","level":1,"exp":10,"hp":20,"maxHp":20,"gold":20,"attack":15,"defence":10,"herbs":0,)"
    R"("hasSword":0,"hasShield":0})";

// The first line from `from` on that holds `text`; the size when none.
std::size_t Find(const Lines& trace, std::size_t from, std::string_view text) {
  for (std::size_t i = from; i < trace.size(); ++i) {
    if (trace[i].find(text) != std::string::npos) return i;
  }
  return trace.size();
}

// Each milestone after the one before; the line of the last one.
std::size_t ExpectInOrder(const Lines& trace, std::size_t from,
                          std::initializer_list<std::string> milestones) {
  for (const std::string& milestone : milestones) {
    from = Find(trace, from, milestone);
    if (from == trace.size()) {
      ADD_FAILURE() << "no " << milestone << " after the milestones before it";
      break;
    }
  }
  return from;
}

TEST(Playthrough, WinsTheGameThroughEveryMilestone) {
  Bot bot(Bot::Win);
  BotGame run;
  EXPECT_TRUE(run.Play(bot, kLimitMs)) << "the game was not won by " << run.game.Now();
  const Lines& trace = run.trace;

  // Herbs and out of the village beside it; the shield (the cheaper) before
  // the sword, each in the record; the inn's line with its 22 leading blanks;
  // the King and out of his castle beside it; Elmo's castle, his words, the
  // final battle won, the ending, the title, and a fresh game on the start cell.
  const std::size_t title = ExpectInOrder(
      trace, 0,
      {R"("ev":"enter","map":"village")", R"("ev":"shop_choice","item":1})", R"("herbs":1,)",
       R"("ev":"enter","map":"world","x":48,"y":49})", R"("ev":"shop_choice","item":3})",
       R"("hasShield":1})", R"("ev":"shop_choice","item":2})", R"("hasSword":1,)",
       R"("ev":"talk","person":4})", R"("                      HP Recovered")",
       R"("ev":"talk","person":8})", R"("ev":"enter","map":"world","x":51,"y":43})",
       R"("ev":"enter","map":"demon")", R"("ev":"talk","person":10})",
       R"("ev":"battle","kind":10,)", R"("ev":"battle_end","won":1)", R"("ev":"state","to":5)",
       R"("ev":"state","to":0)"});
  ExpectInOrder(trace, title, {R"("map":"world","x":45,"y":45})", kNewGame, kFreshRecord});

  // Battles won, never lost; the hero met Elmo at the level planned.
  EXPECT_GE(bot.wins, 10);
  EXPECT_EQ(bot.losses, 0);
  std::int64_t level = 0;
  for (std::size_t i = 0; i < Find(trace, 0, R"("ev":"battle","kind":10,)"); ++i) {
    if (Field(trace[i], "ev") == "player") level = Num(trace[i], "level");
  }
  EXPECT_GE(level, Bot::kReadyLevel);
}

// The same game twice in one process, the process-start state put back in
// between, gives the same trace, times and all.
TEST(Playthrough, TwoRunsGiveTheSameTrace) {
  Lines traces[2];
  for (Lines& trace : traces) {
    ResetToProcessStart();
    Bot bot(Bot::Win);
    BotGame run;
    ASSERT_TRUE(run.Play(bot, kLimitMs));
    trace = std::move(run.trace);
  }
  EXPECT_TRUE(traces[0] == traces[1]) << "the two runs differ";
}

TEST(GameOver, LosingOutsideTheCastleStartsTheNextGameBesideIt) {
  Bot bot(Bot::Lose);
  BotGame run;
  ASSERT_TRUE(run.Play(bot, kLimitMs)) << "no game over by " << run.game.Now();
  const Lines& trace = run.trace;

  // Out of the King's castle beside it, and nowhere else before the loss.
  const std::size_t left =
      Find(trace, Find(trace, 0, R"("ev":"talk","person":8})"), R"("ev":"enter")");
  const std::size_t lost = Find(trace, left, R"("ev":"battle_end","won":0)");
  ASSERT_LT(lost, trace.size());
  EXPECT_NE(trace[left].find(R"("map":"world","x":51,"y":43})"), std::string::npos) << trace[left];
  EXPECT_GT(Find(trace, left + 1, R"("ev":"enter")"), lost);

  // No reward: the game-over picture with its two sounds, then Z leads to
  // the title and a new game below the castle that was left last.
  const std::size_t title = Find(trace, lost, R"("ev":"state","to":0)");
  ASSERT_LT(title, trace.size());
  std::string shown;
  for (std::size_t i = lost + 1; i < title; ++i) {
    if (Field(trace[i], "op").starts_with("stop")) continue;
    shown += Field(trace[i], "ev") + " " + Field(trace[i], "name") + ";";
  }
  EXPECT_EQ(shown, "sound gameover;sound gameover2;");
  ExpectInOrder(trace, title, {R"("map":"world","x":51,"y":43})", kNewGame, kFreshRecord});
}

}  // namespace
