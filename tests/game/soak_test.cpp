// Two virtual hours of play: wandering, fighting, shopping, resting, talking,
// now and then Elmo and a new game. The game must hold up all the way, and
// its memory must stop growing once it has settled in. Under the sanitizer
// build leaks are reported when the process ends.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstddef>
#include <cstdio>

#include "game/bot_game.h"
#include "game/plans.h"

#if defined(__SANITIZE_ADDRESS__)
#define PQ_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PQ_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef PQ_ADDRESS_SANITIZER
// The sanitizer's allocator: the bytes the program holds right now.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

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

// What must not grow once the game has settled in: the process's peak
// memory. Under the address sanitizer that peak grows by itself while freed
// blocks wait in the sanitizer's quarantine (256 MB of them by default), so
// there the heap the program still holds is watched instead.
long WatchedMemoryKb() {
#ifdef PQ_ADDRESS_SANITIZER
  return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
  return PeakMemoryKb();
#endif
}

TEST(Soak, TwoHoursOfPlayHoldUpWithoutGrowing) {
  const auto wallStart = std::chrono::steady_clock::now();
  WanderPlan plan;
  BotGame game(plan, false);
  long settledKb = 0;
  long settledPeakKb = 0;
  game.Watch(kSettledMs, [&] {
    settledKb = WatchedMemoryKb();
    settledPeakKb = PeakMemoryKb();
  });

  EXPECT_FALSE(game.Play(kSoakMs));
  EXPECT_GE(game.Now(), kSoakMs) << "the run stopped early";
  const long endKb = WatchedMemoryKb();
  const double wallSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  std::printf(
      "soak: %u virtual s in %.1f s of wall time (%.0fx); %d battles won, %d lost, %d talks, "
      "%d endings; watched memory %ld kB at 10 min, %ld kB at the end; peak %ld kB, then %ld kB\n",
      game.Now() / 1000, wallSeconds, game.Now() / 1000.0 / wallSeconds, plan.Wins(), plan.Losses(),
      plan.Talks(), plan.Endings(), settledKb, endKb, settledPeakKb, PeakMemoryKb());

  // The wandering really went places.
  EXPECT_GE(plan.Wins(), 100);
  EXPECT_GE(plan.Losses(), 1);
  EXPECT_GE(plan.Endings(), 1);
  EXPECT_GE(plan.Talks(), 20);
  ASSERT_GT(settledKb, 0);
  EXPECT_LE(endKb - settledKb, kToleranceKb);
}

}  // namespace
