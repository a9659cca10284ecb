// Two virtual hours of play: games won and lost in turn, with their fighting,
// shopping, resting and talking, each followed by a new game. The game must
// hold up all the way and its memory stop growing once settled in; the
// sanitizer build reports leaks when the process ends.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>

#include "game/bot.h"

#if defined(__SANITIZE_ADDRESS__)
#define PQ_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PQ_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef PQ_ADDRESS_SANITIZER
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr std::uint32_t kSoakMs = 120 * 60 * 1000;
constexpr std::uint32_t kSettledMs = 10 * 60 * 1000;

// What must not grow once the game has settled in: the peak memory; under
// the address sanitizer, whose quarantine of freed blocks swells the peak by
// itself, the heap still held instead.
long WatchedKb() {
#ifdef PQ_ADDRESS_SANITIZER
  return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // kilobytes on Linux
#endif
}

TEST(Soak, TwoHoursOfPlayHoldUpWithoutGrowing) {
  Bot bot(Bot::Alternate);
  BotGame run;
  long settledKb = 0;
  EXPECT_FALSE(run.Play(bot, kSoakMs, false, [&](std::uint32_t now) {
    if (now >= kSettledMs && settledKb == 0) settledKb = WatchedKb();
  }));
  EXPECT_GE(run.game.Now(), kSoakMs) << "the run stopped early";
  const long grownKb = WatchedKb() - settledKb;
  std::printf(
      "soak: %d battles won, %d lost, %d talks, %d endings; memory %ld kB at 10 min, "
      "then %+ld kB\n",
      bot.wins, bot.losses, bot.talks, bot.endings, settledKb, grownKb);

  // Games were won and lost again and again, and the memory held still.
  EXPECT_GE(bot.wins, 100);
  EXPECT_GE(bot.losses, 1);
  EXPECT_GE(bot.endings, 1);
  EXPECT_GE(bot.talks, 20);
  ASSERT_GT(settledKb, 0);
  EXPECT_LE(grownKb, 1024);
}

}  // namespace
