// A whole game won by the test player, from the title to the ending and back
// to a fresh game on the title's heels.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "game/bot_game.h"
#include "game/plans.h"
#include "game/trace_lines.h"
#include "shell/player.h"

namespace {

// Far more than the game needs (about an hour); a bot that gets stuck fails
// instead of hanging.
constexpr std::uint32_t kPlaythroughLimitMs = 4 * 60 * 60 * 1000;
// When set, the winning run also writes its trace to this file.
constexpr const char* kTraceFileVariable = "PQ_PLAYTHROUGH_TRACE";

using Lines = std::vector<std::string>;
using Match = std::function<bool(const std::string&)>;

Match Event(std::string ev) {
  return [ev](const std::string& line) { return IsTraceEvent(line, ev); };
}
Match EventWith(std::string ev, std::string key, std::int64_t value) {
  return [=](const std::string& line) {
    return IsTraceEvent(line, ev) && TraceInt(line, key) == value;
  };
}
Match EnterMap(std::string map) {
  return [map](const std::string& line) {
    return IsTraceEvent(line, "enter") && TraceTextIs(line, "map", map);
  };
}

// The index of the first line at or after `from` that matches; the trace's
// size when there is none.
std::size_t Find(const Lines& trace, std::size_t from, const Match& match) {
  for (std::size_t i = from; i < trace.size(); ++i) {
    if (match(trace[i])) return i;
  }
  return trace.size();
}

std::size_t Count(const Lines& trace, const Match& match) {
  std::size_t n = 0;
  for (const auto& line : trace) n += match(line) ? 1 : 0;
  return n;
}

// One won game, played in this process: each test runs in a process of its
// own, so the run starts from the game's process-start state.
Lines PlayToWin() {
  HeroPlan plan;
  BotGame game(plan, true);
  EXPECT_TRUE(game.Play(kPlaythroughLimitMs)) << "the game was not won by " << game.Now();
  return game.Trace();
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string SelfPath() {
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

TEST(Playthrough, WinsTheGameThroughEveryMilestone) {
  const Lines trace = PlayToWin();
  if (const char* path = std::getenv(kTraceFileVariable)) {
    std::ofstream out(path, std::ios::binary);
    for (const auto& line : trace) out << line << '\n';
  }
  ASSERT_FALSE(trace.empty());

  // Into the world, to the village, herbs first, then the shield before the
  // sword (it is the cheaper), and a night at the inn.
  const std::size_t start = Find(trace, 0, EventWith("state", "to", 1));
  const std::size_t village = Find(trace, start, EnterMap("village"));
  const std::size_t herb = Find(trace, village, EventWith("shop_choice", "item", 1));
  const std::size_t shield = Find(trace, herb, EventWith("shop_choice", "item", 3));
  const std::size_t sword = Find(trace, shield, EventWith("shop_choice", "item", 2));
  ASSERT_LT(sword, trace.size()) << "no herb, shield and sword bought in that order";
  EXPECT_LT(Find(trace, herb, EventWith("player", "herbs", 1)), shield);
  EXPECT_LT(Find(trace, shield, EventWith("player", "hasShield", 1)), sword);
  EXPECT_LT(Find(trace, sword, EventWith("player", "hasSword", 1)), trace.size());
  const std::size_t inn = Find(trace, village, EventWith("talk", "person", 4));
  ASSERT_LT(inn, trace.size()) << "never went to the inn";
  const std::size_t rested = Find(trace, inn, [](const std::string& line) {
    return IsTraceEvent(line, "message") && line.find("HP Recovered") != std::string::npos;
  });
  EXPECT_LT(rested, Find(trace, inn + 1, Event("talk")));

  // Battles won, one level at a time up to the level the hero set out with.
  EXPECT_GE(Count(trace, EventWith("battle_end", "won", 1)), 10u);
  EXPECT_EQ(Count(trace, EventWith("battle_end", "won", 0)), 0u);
  std::int64_t level = 1;
  for (const auto& line : trace) {
    if (!IsTraceEvent(line, "player") || TraceInt(line, "level") == level) continue;
    if (TraceInt(line, "level") == 1) break;  // the fresh game after the ending
    EXPECT_EQ(TraceInt(line, "level"), level + 1) << line;
    level = TraceInt(line, "level");
  }
  EXPECT_GE(level, HeroPlan::kReadyLevel);

  // The King, then Elmo's castle, his words, the final battle and the ending.
  const std::size_t king = Find(trace, sword, EventWith("talk", "person", 8));
  const std::size_t demon = Find(trace, king, EnterMap("demon"));
  const std::size_t elmo = Find(trace, demon, EventWith("talk", "person", 10));
  const std::size_t finalBattle = Find(trace, elmo, EventWith("battle", "kind", 10));
  const std::size_t won = Find(trace, finalBattle, Event("battle_end"));
  ASSERT_LT(won, trace.size()) << "the final battle never ended";
  EXPECT_EQ(TraceInt(trace[won], "won"), 1);
  const std::size_t ending = Find(trace, won, EventWith("state", "to", 5));
  const std::size_t title = Find(trace, ending, EventWith("state", "to", 0));
  ASSERT_LT(title, trace.size()) << "the ending did not lead back to the title";

  // A fresh game: the starting record, on the start cell by the village.
  const std::size_t again = Find(trace, title, EventWith("state", "to", 1));
  const std::size_t entered = Find(trace, title, EnterMap("world"));
  ASSERT_LT(again, trace.size());
  ASSERT_LT(entered, trace.size());
  EXPECT_EQ(TraceInt(trace[entered], "x"), 45);
  EXPECT_EQ(TraceInt(trace[entered], "y"), 45);
  const std::string& fresh = trace.back();
  ASSERT_TRUE(IsTraceEvent(fresh, "player")) << fresh;
  for (const auto& [key, value] : {std::pair{"level", 1},
                                   {"exp", 10},
                                   {"hp", 20},
                                   {"maxHp", 20},
                                   {"gold", 20},
                                   {"attack", 15},
                                   {"defence", 10},
                                   {"herbs", 0},
                                   {"hasSword", 0},
                                   {"hasShield", 0}}) {
    EXPECT_EQ(TraceInt(fresh, key), value) << key;
  }
}

// The same game twice gives the same trace, times and all. The game's state
// (the random draw above all) lives for the whole process and is never
// reset, so the two runs are made by two fresh processes of this very test
// program, each asked to write its trace to a file.
TEST(Playthrough, TwoRunsGiveTheSameTrace) {
  const std::string self = SelfPath();
  ASSERT_FALSE(self.empty());
  const std::string dir = ::testing::TempDir();
  std::string traces[2];
  for (int run = 0; run < 2; ++run) {
    const std::string path =
        dir + "/pq_playthrough_" + std::to_string(getpid()) + "_" + std::to_string(run) + ".jsonl";
    std::remove(path.c_str());
    const std::string command = std::string(kTraceFileVariable) + "='" + path + "' '" + self +
                                "' --gtest_filter=Playthrough.WinsTheGameThroughEveryMilestone" +
                                " > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "run " << run << " failed: " << command;
    traces[run] = ReadFile(path);
    std::remove(path.c_str());
  }
  ASSERT_NE(traces[0].find("\"ev\":\"state\",\"to\":5"), std::string::npos)
      << "the first run did not reach the ending";
  EXPECT_TRUE(traces[0] == traces[1]) << "the two runs differ";
}

}  // namespace
