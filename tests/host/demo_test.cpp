// Demo files, recording and replay: a replay answers every read as the
// recorded game was answered, and a damaged file is refused, never played.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "host/demo_format.h"
#include "host/demo_player.h"
#include "host/demo_recorder.h"
#include "host/headless_host.h"
#include "host/key_codes.h"

namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("pq_demo_" + std::to_string(::getpid()) + "_" + name))
      .string();
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// What one read of each kind answered, in the order the game asked.
struct Answers {
  std::vector<KeySnapshot> keys;
  std::vector<PadSnapshot> pads;
  std::vector<bool> escapes;
};

// Asks `host` the reads of `frames` main-loop frames and keeps the answers.
Answers Play(Host& host, int frames) {
  Answers a;
  for (int i = 0; i < frames; ++i) {
    a.escapes.push_back(host.EscapeDown());
    a.keys.push_back(host.ReadKeyboard());
    a.pads.push_back(host.ReadGamepad());
    host.Sleep(5);
  }
  return a;
}

bool SamePads(const std::vector<PadSnapshot>& a, const std::vector<PadSnapshot>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].attached != b[i].attached || a[i].x != b[i].x || a[i].y != b[i].y ||
        a[i].buttons != b[i].buttons) {
      return false;
    }
  }
  return true;
}

// A demo recorded from a script that uses keys, the pad, Escape and quiet
// stretches.
std::string RecordedDemo(const std::string& path, Answers* seen) {
  HeadlessHost real(*ParseInputScript(
      "0 Right\n40 Right A\n90\n200 PadLeft Pad1\n260 Esc Z\n300 PadDown Pad0 Pad2\n", nullptr));
  DemoRecorder recorder(real);
  std::string error;
  EXPECT_TRUE(recorder.Open(path, "1.0.0", &error)) << error;
  *seen = Play(recorder, 80);
  EXPECT_TRUE(recorder.Finish(&error)) << error;
  return ReadFile(path);
}

TEST(Demo, ReplayAnswersEveryReadAsRecordedThenHoldsNothing) {
  const std::string path = TempPath("round.demo");
  Answers recorded;
  RecordedDemo(path, &recorded);
  std::string error;
  auto demo = LoadDemo(path, &error);
  ASSERT_TRUE(demo) << error;
  EXPECT_EQ(demo->gameVersion, "1.0.0");

  HeadlessHost quiet;  // its own devices hold nothing at all
  DemoPlayer player(quiet, std::move(*demo));
  int ends = 0;
  player.SetOnEnd([&] { ++ends; });
  const Answers replayed = Play(player, 80);
  EXPECT_EQ(replayed.keys, recorded.keys);
  EXPECT_TRUE(SamePads(replayed.pads, recorded.pads));
  EXPECT_EQ(replayed.escapes, recorded.escapes);
  EXPECT_FALSE(player.Ended());
  EXPECT_EQ(ends, 0);

  // Past the end: no key, no pad, no Escape; the end is told once.
  const Answers after = Play(player, 3);
  for (const KeySnapshot& k : after.keys) EXPECT_EQ(k, KeySnapshot{});
  for (const PadSnapshot& p : after.pads) EXPECT_FALSE(p.attached);
  for (bool e : after.escapes) EXPECT_FALSE(e);
  EXPECT_TRUE(player.Ended());
  EXPECT_EQ(ends, 1);
  std::filesystem::remove(path);
}

TEST(Demo, TheRecorderPassesTheRealAnswersOnAndStoresRunsOnce) {
  const std::string path = TempPath("runs.demo");
  HeadlessHost real(*ParseInputScript("0 A\n", nullptr));
  DemoRecorder recorder(real);
  std::string error;
  ASSERT_TRUE(recorder.Open(path, "1.0.0", &error)) << error;
  for (int i = 0; i < 20000; ++i) {
    EXPECT_EQ(recorder.ReadKeyboard()[DIK_A], 0x80);
    EXPECT_FALSE(recorder.EscapeDown());
  }
  EXPECT_EQ(recorder.Ticks(), 20000u);  // time is the real host's
  ASSERT_TRUE(recorder.Finish(&error)) << error;
  ASSERT_TRUE(recorder.Finish(&error));  // a second Finish changes nothing
  // Header, one keyboard run, one Escape run and the end: a few dozen bytes.
  EXPECT_LT(std::filesystem::file_size(path), 80u);
  auto demo = LoadDemo(path, &error);
  ASSERT_TRUE(demo) << error;
  ASSERT_EQ(demo->keyboard.size(), 1u);
  EXPECT_EQ(demo->keyboard[0].count, 20000u);
  EXPECT_TRUE(demo->gamepad.empty());
  std::filesystem::remove(path);
}

TEST(Demo, AQuitStillUnwindsAReplay) {
  HeadlessHost real;
  real.SetQuitAt(3);
  DemoPlayer player(real, Demo{"1.0.0", {{KeySnapshot{}, 100}}, {}, {}});
  player.ReadKeyboard();
  player.ReadKeyboard();
  EXPECT_THROW(player.ReadKeyboard(), QuitRequest);
}

TEST(Demo, EveryCutShortDemoIsRefused) {
  const std::string path = TempPath("cut.demo");
  Answers unused;
  const std::string whole = RecordedDemo(path, &unused);
  std::string error;
  ASSERT_TRUE(ParseDemo(whole, &error)) << error;
  for (std::size_t n = 0; n < whole.size(); ++n) {
    EXPECT_FALSE(ParseDemo(std::string_view(whole).substr(0, n), &error)) << n;
    EXPECT_FALSE(error.empty());
  }
  // Through the file, the message names it.
  WriteFile(path, whole.substr(0, whole.size() - 3));
  EXPECT_FALSE(LoadDemo(path, &error));
  EXPECT_NE(error.find(path), std::string::npos) << error;
  std::filesystem::remove(path);
  EXPECT_FALSE(LoadDemo(path, &error));
  EXPECT_NE(error.find(path), std::string::npos) << error;
}

// Little-endian bytes of a number.
template <typename T>
std::string Le(T v) {
  std::string s;
  for (std::size_t i = 0; i < sizeof(T); ++i) s.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
  return s;
}

TEST(Demo, MalformedDemosAreRefusedWithAReason) {
  const std::string header =
      std::string("PQDEMO\x1a\n", 8) + Le<std::uint16_t>(1) + "\x05" + "1.0.0";
  const std::string keyA = "K" + Le<std::uint32_t>(2) + Le<std::uint16_t>(1) + "\x1e";
  auto end = [](std::uint64_t k, std::uint64_t g, std::uint64_t e) {
    return "Z" + Le(k) + Le(g) + Le(e);
  };
  std::string error;
  ASSERT_TRUE(ParseDemo(header + keyA + end(2, 0, 0), &error)) << error;

  const struct {
    const char* what;
    std::string bytes;
  } bad[] = {
      {"other magic", "PQDEMX" + header.substr(6) + end(0, 0, 0)},
      {"other format",
       header.substr(0, 8) + Le<std::uint16_t>(2) + header.substr(10) + end(0, 0, 0)},
      {"empty version", header.substr(0, 10) + std::string(1, '\0') + end(0, 0, 0)},
      {"unprintable version", header.substr(0, 11) + "1.0\n0" + end(0, 0, 0)},
      {"no end", header + keyA},
      {"zero count", header + "K" + Le<std::uint32_t>(0) + Le<std::uint16_t>(0) + end(0, 0, 0)},
      {"unknown kind", header + "Q" + Le<std::uint32_t>(1) + end(0, 0, 0)},
      {"keys out of order",
       header + "K" + Le<std::uint32_t>(1) + Le<std::uint16_t>(2) + "\x1f\x1e" + end(1, 0, 0)},
      {"a key twice",
       header + "K" + Le<std::uint32_t>(1) + Le<std::uint16_t>(2) + "\x1e\x1e" + end(1, 0, 0)},
      {"more keys than exist", header + "K" + Le<std::uint32_t>(1) + Le<std::uint16_t>(300) +
                                   std::string(300, 'x') + end(1, 0, 0)},
      {"detached pad with a button", header + "G" + Le<std::uint32_t>(1) + "\x00" +
                                         Le<std::uint32_t>(0) + Le<std::uint32_t>(0) +
                                         Le<std::uint32_t>(1) + end(0, 1, 0)},
      {"attached flag 2", header + "G" + Le<std::uint32_t>(1) + "\x02" + Le<std::uint32_t>(0) +
                              Le<std::uint32_t>(0) + Le<std::uint32_t>(0) + end(0, 1, 0)},
      {"Escape 2", header + "E" + Le<std::uint32_t>(1) + "\x02" + end(0, 0, 1)},
      {"totals disagree", header + keyA + end(3, 0, 0)},
      {"bytes after the end", header + keyA + end(2, 0, 0) + "K"},
  };
  for (const auto& b : bad) {
    error.clear();
    EXPECT_FALSE(ParseDemo(b.bytes, &error)) << b.what;
    EXPECT_FALSE(error.empty()) << b.what;
  }
  EXPECT_FALSE(ParseDemo(std::string(kLargestDemoBytes + 1, 'x'), &error));
}

TEST(Demo, ARecorderThatCannotWriteSaysWhere) {
  DemoWriter writer;
  std::string error;
  EXPECT_FALSE(writer.Open("/nonexistent-folder/x.demo", "1.0.0", &error));
  EXPECT_NE(error.find("/nonexistent-folder/x.demo"), std::string::npos) << error;
}

}  // namespace
