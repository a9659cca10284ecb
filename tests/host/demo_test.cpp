// Demo files, recording and replay: a replay answers every read as the
// recorded game was answered, and a damaged file is refused, never played.
// Malformed files in depth are the demo fuzz target's job.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "host/demo_format.h"
#include "host/demo_player.h"
#include "host/demo_recorder.h"
#include "host/headless_host.h"
#include "host/key_codes.h"
#include "host/quit_signal.h"

namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("pq_demo_" + std::to_string(::getpid()) + "_" + name))
      .string();
}

// What each read answered, in the order the game asked.
struct Answers {
  std::vector<KeySnapshot> keys;
  std::vector<std::tuple<bool, int, int, std::array<bool, 32>>> pads;
  std::vector<bool> escapes;
};

// Asks `host` the reads of `frames` main-loop frames.
Answers Play(Host& host, int frames) {
  Answers a;
  for (int i = 0; i < frames; ++i) {
    a.escapes.push_back(host.EscapeDown());
    a.keys.push_back(host.ReadKeyboard());
    const PadSnapshot p = host.ReadGamepad();
    a.pads.emplace_back(p.attached, p.x, p.y, p.buttons);
    host.Sleep(5);
  }
  return a;
}

TEST(Demo, ReplayAnswersEveryReadAsRecordedAndACutShortFileIsRefused) {
  const std::string path = TempPath("round.demo");
  HeadlessHost real(*ParseInputScript(
      "0 Right\n40 Right A\n90\n200 PadLeft Pad1\n260 Esc Z\n300 PadDown Pad0 Pad2\n", nullptr));
  DemoRecorder recorder(real);
  std::string error;
  ASSERT_TRUE(recorder.Open(path, "1.0.0", true, &error)) << error;
  const Answers recorded = Play(recorder, 80);
  ASSERT_TRUE(recorder.Finish(&error)) << error;
  auto demo = LoadDemo(path, &error);
  ASSERT_TRUE(demo) << error;
  EXPECT_EQ(demo->gameVersion, "1.0.0");

  HeadlessHost quiet;  // its own devices hold nothing at all
  DemoPlayer player(quiet, std::move(*demo));
  int ends = 0;
  player.SetOnEnd([&](bool quit) { ends += quit ? 100 : 1; });
  const Answers replayed = Play(player, 80);
  EXPECT_EQ(replayed.keys, recorded.keys);
  EXPECT_EQ(replayed.pads, recorded.pads);
  EXPECT_EQ(replayed.escapes, recorded.escapes);
  EXPECT_EQ(ends, 0);
  // Past the end: no key, no pad, no Escape; the end is told once.
  const Answers after = Play(player, 3);
  EXPECT_EQ(after.keys, std::vector<KeySnapshot>(3));
  EXPECT_EQ(after.pads, decltype(after.pads)(3));
  EXPECT_EQ(after.escapes, std::vector<bool>(3));
  EXPECT_TRUE(player.Ended());
  EXPECT_EQ(ends, 1);

  std::ifstream in(path, std::ios::binary);
  const std::string whole(std::istreambuf_iterator<char>(in), {});
  in.close();
  for (std::size_t n = 0; n < whole.size(); ++n) {
    EXPECT_FALSE(ParseDemo(std::string_view(whole).substr(0, n), &error)) << n;
  }
  // Through the file, cut short or missing, the reason names it.
  std::ofstream(path, std::ios::binary) << whole.substr(0, whole.size() - 3);
  for (int missing = 0; missing < 2; ++missing) {
    EXPECT_FALSE(LoadDemo(path, &error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    std::filesystem::remove(path);
  }
}

TEST(Demo, TheRecorderPassesTheRealAnswersOnAndStoresRunsOnce) {
  const std::string path = TempPath("runs.demo");
  HeadlessHost real(*ParseInputScript("0 A\n", nullptr));
  DemoRecorder recorder(real);
  std::string error;
  ASSERT_TRUE(recorder.Open(path, "1.0.0", true, &error)) << error;
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

  DemoWriter writer;  // one that cannot write says where
  EXPECT_FALSE(writer.Open("/nonexistent-folder/x.demo", "1.0.0", true, &error));
  EXPECT_NE(error.find("/nonexistent-folder/x.demo"), std::string::npos) << error;
}

TEST(Demo, AQuitStillUnwindsAReplay) {
  HeadlessHost real;
  real.SetQuitAt(3);
  DemoPlayer player(real, Demo{"1.0.0", {{KeySnapshot{}, 100}}, {}, {}, {}});
  player.ReadKeyboard();
  player.ReadKeyboard();
  EXPECT_THROW(player.ReadKeyboard(), QuitRequest);
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

TEST(Demo, AReplayQuitsWhereAndWhenThePlayerQuitTheRecordedGame) {
  CatchQuitSignals();
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
    const std::string path = TempPath("quit.demo");
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
    ASSERT_TRUE(recorder.Open(path, "1.0.0", true, &error)) << error;
    const auto ended = RunUntilQuit(recorder, [&](int step) {
      if (step == c.signalBefore) std::raise(SIGTERM);
    });
    ASSERT_TRUE(recorder.Finish(&error)) << error;
    ForgetQuitSignal();
    auto demo = LoadDemo(path, &error);
    ASSERT_TRUE(demo) << error;
    std::filesystem::remove(path);
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

TEST(Demo, MalformedDemosAreRefusedWithAReason) {
  const std::string header =
      std::string("PQDEMO\x1a\n", 8) + Le<std::uint16_t>(1) + "\x05" + "1.0.0";
  const std::string keyA = "K" + Le<std::uint32_t>(2) + Le<std::uint16_t>(1) + "\x1e";
  auto end = [](std::uint64_t k, std::uint64_t g, std::uint64_t e) {
    return "Z" + Le(k) + Le(g) + Le(e);
  };
  const std::string header2 = header.substr(0, 8) + Le<std::uint16_t>(2) + header.substr(10);
  std::string error;
  ASSERT_TRUE(ParseDemo(header + keyA + end(2, 0, 0), &error)) << error;
  ASSERT_TRUE(
      ParseDemo(header2 + keyA + "Q" + Le<std::uint64_t>(5) + "\x01" + end(2, 0, 0), &error))
      << error;
  const std::string bad[] = {
      "PQDEMX" + header.substr(6) + end(0, 0, 0),                                     // other magic
      header.substr(0, 8) + Le<std::uint16_t>(3) + header.substr(10) + end(0, 0, 0),  // format 3
      // keys out of order
      header + "K" + Le<std::uint32_t>(1) + Le<std::uint16_t>(2) + "\x1f\x1e" + end(1, 0, 0),
      header + "G" + Le<std::uint32_t>(1) + "\x00" + Le<std::uint32_t>(0) + Le<std::uint32_t>(0) +
          Le<std::uint32_t>(1) + end(0, 1, 0),  // a detached pad with a button down
      header + keyA + end(3, 0, 0),             // totals disagree
      header + keyA + end(2, 0, 0) + "K",       // bytes after the end
      header + "Q" + Le<std::uint64_t>(5) + "\x00" + end(0, 0, 0),   // a quit in format 1
      header2 + "Q" + Le<std::uint64_t>(5) + "\x04" + end(0, 0, 0),  // a quit of no known way
      header2 + "Q" + Le<std::uint64_t>(5) + "\x00" + keyA + end(2, 0, 0),  // reads after it
      std::string(kLargestDemoBytes + 1, 'x'),
  };
  for (const std::string& b : bad) {
    error.clear();
    EXPECT_FALSE(ParseDemo(b, &error)) << &b - bad;
    EXPECT_FALSE(error.empty()) << &b - bad;
  }
}

}  // namespace
