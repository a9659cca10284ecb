// Demo files, recording and replay: a replay answers every read as the
// recorded game was answered, and a damaged file is refused, never played.
// Malformed files in depth are the demo fuzz target's job.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/demo_format.h"
#include "host/demo_player.h"
#include "host/demo_recorder.h"
#include "host/headless_host.h"
#include "host/key_codes.h"
#include "host/quit_signal.h"
#include "support/scratch_dir.h"

namespace {

// What each read answered, in the order the game asked.
struct Answers {
  std::vector<KeySnapshot> keys;
  std::vector<PadSnapshot> pads;
  std::vector<bool> escapes;
  bool operator==(const Answers&) const = default;
};

// Asks `host` the reads of `frames` main-loop frames.
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

// The recorder passes the real answers on and stores each run of equal
// answers once; the replay gives them back read for read, then nothing.
TEST(Demo, ReplayAnswersEveryReadAsRecordedAndACutShortFileIsRefused) {
  ScratchDir dir("pq_demo");
  const char* script =
      "0 Right\n40 Right A\n90\n200 PadLeft Pad1\n260 Esc Z\n300 PadDown Pad0 Pad2\n";
  HeadlessHost real(*ParseInputScript(script, nullptr)), alone(*ParseInputScript(script, nullptr));
  DemoRecorder recorder(real);
  std::string error;
  ASSERT_TRUE(recorder.Open("round.demo", "1.0.0", true, &error)) << error;
  const Answers recorded = Play(recorder, 80);
  EXPECT_EQ(recorded, Play(alone, 80));
  EXPECT_EQ(recorder.Ticks(), alone.Ticks());  // time is the real host's
  ASSERT_TRUE(recorder.Finish(&error)) << error;
  ASSERT_TRUE(recorder.Finish(&error));  // a second Finish changes nothing
  auto demo = LoadDemo("round.demo", &error);
  ASSERT_TRUE(demo) << error;
  EXPECT_EQ(demo->gameVersion, "1.0.0");
  // Keys: Right, Right A, none, Esc Z, none; the pad: centred, left,
  // centred, down; Escape: up, down, up.
  EXPECT_EQ(demo->keyboard.size(), 5u);
  EXPECT_EQ(demo->gamepad.size(), 4u);
  EXPECT_EQ(demo->escape.size(), 3u);

  HeadlessHost quiet;  // its own devices hold nothing at all
  DemoPlayer player(quiet, std::move(*demo));
  int ends = 0;
  player.SetOnEnd([&](bool quit) { ends += quit ? 100 : 1; });
  EXPECT_EQ(Play(player, 80), recorded);
  EXPECT_EQ(ends, 0);
  // Past the end: no key, no pad, no Escape; the end is told once.
  const Answers nothing{std::vector<KeySnapshot>(3), std::vector<PadSnapshot>(3),
                        std::vector<bool>(3)};
  EXPECT_EQ(Play(player, 3), nothing);
  EXPECT_TRUE(player.Ended());
  EXPECT_EQ(ends, 1);

  const std::string whole = ReadFile("round.demo");
  for (std::size_t n = 0; n < whole.size(); ++n) {
    EXPECT_FALSE(ParseDemo(std::string_view(whole).substr(0, n), &error)) << n;
  }
  // Through the file, cut short or missing, the reason names it.
  std::ofstream("round.demo", std::ios::binary) << whole.substr(0, whole.size() - 3);
  for (int missing = 0; missing < 2; ++missing) {
    EXPECT_FALSE(LoadDemo("round.demo", &error));
    EXPECT_NE(error.find("round.demo"), std::string::npos) << error;
    std::filesystem::remove("round.demo");
  }
}

// A game as the shell runs one: each frame polls the window, reads the
// devices and presents; every tenth frame a message box waits in four sleeps.
// `between` runs before each of those sleeps. Returns when and how the game
// ended: the virtual time and the frame, negative when a call threw.
std::pair<std::uint32_t, int> RunUntilQuit(Host& host, const std::function<void(int)>& between) {
  int frame = 0;
  try {
    for (; frame < 200; ++frame) {
      if (host.PollEvent() == HostEvent::Quit) return {host.Ticks(), frame};
      if (host.EscapeDown()) host.PostQuit();
      host.ReadKeyboard();
      host.ReadGamepad();
      for (int i = 0; frame % 10 == 5 && i < 4; ++i) {
        between(frame * 4 + i);
        host.Sleep(20);
      }
      host.Present(ScreenView{});
    }
  } catch (const QuitRequest&) {
    return {host.Ticks(), -frame};
  }
  return {host.Ticks(), frame};
}

// Stands for the sound device: asks the host to quit once `samples` are mixed.
struct QuitWhileMixing : AudioSource {
  HeadlessHost* host = nullptr;
  std::uint64_t samples = 0;
  void Render(std::int16_t*, std::size_t count) override {
    if (count >= samples) host->RequestQuit();
    samples -= std::min<std::uint64_t>(samples, count);
  }
};

// However the player quit, the replay quits at the same call, the same way;
// the end of a run that the run itself set (--until) is not recorded.
TEST(Demo, AReplayQuitsWhereAndWhenThePlayerQuitTheRecordedGame) {
  CatchQuitSignals();
  ScratchDir dir("pq_demo");
  struct Case {
    const char* what;
    int signalBefore = -1;     // SIGTERM before this message-box sleep
    std::uint32_t readAt = 0;  // RequestQuit from the read at this time
    std::uint64_t mixed = 0;   // RequestQuit while mixing, after these samples
    std::uint32_t limit = 0;   // the run's own end (not recorded)
    const char* script = "";
    bool recorded = true;
  };
  const Case cases[] = {
      {"a signal in a message box", 4 * 35 + 2},
      {"a signal before a frame", 4 * 45},
      {"a window closed during a read", -1, 300},
      {"a quit while a sleep passes", -1, 0, 11025 * 3 / 2},
      {"the run's limit", -1, 0, 0, 700, "", false},
      {"Escape: the game's own quit", -1, 0, 0, 0, "400 Esc\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HeadlessHost real(*ParseInputScript(c.script, nullptr));
    if (c.limit != 0) real.SetQuitAt(c.limit);
    if (c.readAt != 0)
      real.SetReadHook([&](std::uint32_t t) {
        if (t >= c.readAt) real.RequestQuit();
      });
    QuitWhileMixing mixer;
    mixer.host = &real;
    mixer.samples = c.mixed;
    if (c.mixed != 0) real.OpenAudio(mixer);
    DemoRecorder recorder(real);
    recorder.SetRunLimitTest([&] { return real.QuitIsRunLimit(); });
    std::string error;
    ASSERT_TRUE(recorder.Open("quit.demo", "1.0.0", true, &error)) << error;
    const auto ended = RunUntilQuit(recorder, [&](int step) {
      if (step == c.signalBefore) std::raise(SIGTERM);
    });
    ASSERT_TRUE(recorder.Finish(&error)) << error;
    ForgetQuitSignal();
    auto demo = LoadDemo("quit.demo", &error);
    ASSERT_TRUE(demo) << error;
    EXPECT_EQ(demo->quit.has_value(), c.recorded);
    EXPECT_LT(ended.second, 150);  // the game did end early

    HeadlessHost quiet;
    if (c.limit != 0) quiet.SetQuitAt(c.limit);
    DemoPlayer player(quiet, std::move(*demo));
    EXPECT_EQ(RunUntilQuit(player, [](int) {}), ended);
    EXPECT_EQ(quiet.Ticks(), real.Ticks());
  }
}

// Little-endian bytes of a number.
template <typename T>
std::string Le(T v) {
  std::string s;
  for (std::size_t i = 0; i < sizeof(T); ++i) s.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
  return s;
}

TEST(Demo, MalformedDemosAreRefusedWithTheirReason) {
  auto headed = [](std::uint16_t format) {
    return std::string("PQDEMO\x1a\n", 8) + Le(format) + "\x05" + "1.0.0";
  };
  const std::string header = headed(1), header2 = headed(2);
  const std::string keyA = "K" + Le<std::uint32_t>(2) + Le<std::uint16_t>(1) + "\x1e";
  auto end = [](std::uint64_t k, std::uint64_t g, std::uint64_t e) {
    return "Z" + Le(k) + Le(g) + Le(e);
  };
  const std::string quit = "Q" + Le<std::uint64_t>(5), zero(1, '\0');
  std::string error;
  ASSERT_TRUE(ParseDemo(header + keyA + end(2, 0, 0), &error)) << error;
  ASSERT_TRUE(ParseDemo(header2 + keyA + quit + "\x01" + end(2, 0, 0), &error)) << error;
  const std::pair<std::string, const char*> bad[] = {
      {"PQDEMX" + header.substr(6) + end(0, 0, 0), "not a Pim Quest demo"},
      {headed(3) + end(0, 0, 0), "demo format 3"},
      {header + "K" + Le<std::uint32_t>(1) + Le<std::uint16_t>(2) + "\x1f\x1e" + end(1, 0, 0),
       "keys out of order"},
      {header + "G" + Le<std::uint32_t>(1) + zero + Le<std::uint32_t>(0) + Le<std::uint32_t>(0) +
           Le<std::uint32_t>(1) + end(0, 1, 0),
       "malformed gamepad"},  // a detached pad with a button down
      {header + keyA + end(3, 0, 0), "counts other reads"},
      {header + keyA + end(2, 0, 0) + "K", "bytes follow"},
      {header + quit + zero + end(0, 0, 0), "unknown record"},  // no quits in format 1
      {header2 + quit + "\x04" + end(0, 0, 0), "malformed quit"},
      {header2 + quit + zero + keyA + end(2, 0, 0), "follows the quit"},
      {header + keyA + end(2, 0, 0) + std::string(kLargestDemoBytes, '\0'), "too large"},
  };
  for (const auto& [bytes, reason] : bad) {
    EXPECT_FALSE(ParseDemo(bytes, &error)) << reason;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
  }
}

}  // namespace
