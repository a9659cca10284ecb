// A game lost: the hero meets the King, walks out of the castle and loses the
// first battle on the way west.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/bot_game.h"
#include "game/plans.h"
#include "game/trace_lines.h"

namespace {

constexpr std::uint32_t kLimitMs = 4 * 60 * 60 * 1000;

std::size_t FindEvent(const std::vector<std::string>& trace, std::size_t from, const char* ev,
                      const char* key, std::int64_t value) {
  for (std::size_t i = from; i < trace.size(); ++i) {
    if (IsTraceEvent(trace[i], ev) && TraceInt(trace[i], key) == value) return i;
  }
  return trace.size();
}

TEST(GameOver, LosingOutsideTheCastleStartsTheNextGameBesideIt) {
  FumblingPlan plan;
  BotGame game(plan, true);
  ASSERT_TRUE(game.Play(kLimitMs)) << "no game over by " << game.Now();
  const auto& trace = game.Trace();

  // The King was seen and the castle left before the battle that was lost.
  const std::size_t king = FindEvent(trace, 0, "talk", "person", 8);
  const std::size_t lost = FindEvent(trace, king, "battle_end", "won", 0);
  ASSERT_LT(lost, trace.size());
  std::size_t leftCastle = trace.size();
  for (std::size_t i = king; i < lost; ++i) {
    if (IsTraceEvent(trace[i], "enter")) {
      EXPECT_TRUE(TraceTextIs(trace[i], "map", "world")) << "entered another place: " << trace[i];
      leftCastle = std::min(leftCastle, i);
    }
  }
  ASSERT_LT(leftCastle, lost);
  EXPECT_EQ(TraceInt(trace[leftCastle], "x"), 51);
  EXPECT_EQ(TraceInt(trace[leftCastle], "y"), 43);

  // The loss leaves no reward, shows the game-over picture with its two
  // sounds, and Z leads back to the title.
  std::size_t title = FindEvent(trace, lost, "state", "to", 0);
  ASSERT_LT(title, trace.size());
  int overSounds = 0;
  for (std::size_t i = lost; i < title; ++i) {
    EXPECT_FALSE(IsTraceEvent(trace[i], "message")) << trace[i];
    EXPECT_FALSE(IsTraceEvent(trace[i], "state")) << trace[i];
    if (IsTraceEvent(trace[i], "sound") && TraceTextIs(trace[i], "op", "play") &&
        (TraceTextIs(trace[i], "name", "gameover") || TraceTextIs(trace[i], "name", "gameover2"))) {
      ++overSounds;
    }
  }
  EXPECT_EQ(overSounds, 2);

  // The next game starts below the castle that was left last, with the
  // starting record.
  EXPECT_EQ(plan.RestartCell().x, 51);
  EXPECT_EQ(plan.RestartCell().y, 43);
  EXPECT_LT(FindEvent(trace, title, "state", "to", 1), trace.size());
  const std::size_t fresh = FindEvent(trace, title, "player", "level", 1);
  ASSERT_LT(fresh, trace.size());
  EXPECT_EQ(TraceInt(trace[fresh], "hp"), 20);
  EXPECT_EQ(TraceInt(trace[fresh], "gold"), 20);
  EXPECT_EQ(TraceInt(trace[fresh], "exp"), 10);
}

}  // namespace
