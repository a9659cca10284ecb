// Two virtual hours of play: wandering, fighting, shopping, resting, talking,
// now and then Elmo and a new game. The game must hold up all the way, and
// its memory must stop growing once it has settled in. Under the sanitizer
// build leaks are reported when the process ends.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "game/bot_game.h"
#include "game/plans.h"

namespace {

constexpr std::uint32_t kMinuteMs = 60 * 1000;
constexpr std::uint32_t kSoakMs = 120 * kMinuteMs;
constexpr std::uint32_t kSettledMs = 10 * kMinuteMs;
// What the peak may still grow by after the first ten minutes.
constexpr long kToleranceKb = 1024;

long PeakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // kilobytes on Linux
}

TEST(Soak, TwoHoursOfPlayHoldUpWithoutGrowing) {
  const auto wallStart = std::chrono::steady_clock::now();
  WanderPlan plan;
  BotGame game(plan, false);
  long settledKb = 0;
  game.Watch(kSettledMs, [&] { settledKb = PeakMemoryKb(); });

  EXPECT_FALSE(game.Play(kSoakMs));
  EXPECT_GE(game.Now(), kSoakMs) << "the run stopped early";
  const long endKb = PeakMemoryKb();
  const double wallSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  std::printf(
      "soak: %u virtual s in %.1f s of wall time (%.0fx); %d battles won, %d lost, "
      "%d talks, %d endings; peak memory %ld kB at 10 min, %ld kB at the end\n",
      game.Now() / 1000, wallSeconds, game.Now() / 1000.0 / wallSeconds, plan.Wins(), plan.Losses(),
      plan.Talks(), plan.Endings(), settledKb, endKb);

  // The wandering really went places.
  EXPECT_GE(plan.Wins(), 100);
  EXPECT_GE(plan.Talks(), 20);
  ASSERT_GT(settledKb, 0);
  EXPECT_LE(endKb - settledKb, kToleranceKb);
}

}  // namespace
