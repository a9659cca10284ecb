// The input script and the headless host's virtual clock.
#include <gtest/gtest.h>

#include <csignal>

#include "host/headless_host.h"
#include "host/key_codes.h"
#include "host/quit_signal.h"

namespace {

// Each line's controls are held until the next; errors name their line.
TEST(InputScript, HoldsEachLinesControlsUntilTheNextAndErrorsNameTheirLine) {
  std::string error;
  auto script = ParseInputScript("# walk, then talk\n\n0 Up\n100 Up A   # both\n250\n", &error);
  ASSERT_TRUE(script) << error;
  for (auto [t, held] :
       {std::pair<std::uint32_t, std::uint32_t>{0, kUp}, {99, kUp}, {100, kUp | kA}, {250, 0}}) {
    EXPECT_EQ(script->HeldAt(t), held) << t;
  }
  EXPECT_EQ(script->HeldAt(1'000'000), 0u);
  EXPECT_FALSE(script->padAttached);
  EXPECT_TRUE(ParseInputScript("5 PadDown\n", &error)->padAttached);
  for (auto [bad, named] : {std::pair{"0 Up\n\nsoon A\n", "line 3"},
                            {"10 Up\n5 Down\n", "line 2"},
                            {"0 Jump\n", "Jump"},
                            {"-5 A\n", ""},
                            {"1.5 A\n", ""}}) {
    EXPECT_FALSE(ParseInputScript(bad, &error)) << bad;
    EXPECT_NE(error.find(named), std::string::npos) << error;
  }
}

// Time moves only by waits, keyboard reads (1 ms) and presents (to the next
// free 60 Hz boundary); scripted keys follow it.
TEST(HeadlessHost, VirtualTimeMovesOnlyByWaitsReadsAndPresentsAndKeysFollowIt) {
  HeadlessHost host(*ParseInputScript("0 A\n3 S Esc\n", nullptr));
  EXPECT_EQ(host.ReadKeyboard()[DIK_A], 0x80);  // at 1 ms
  host.ReadKeyboard();
  const KeySnapshot keys = host.ReadKeyboard();  // at 3 ms
  EXPECT_EQ(keys[DIK_A], 0);
  EXPECT_EQ(keys[DIK_S], 0x80);
  EXPECT_TRUE(host.EscapeDown());
  EXPECT_FALSE(host.ReadGamepad().attached);
  EXPECT_EQ(host.Ticks(), 3u);
  host.Sleep(47);
  EXPECT_EQ(host.Ticks(), 50u);
  host.ReadGamepad();
  EXPECT_EQ(host.Ticks(), 50u);
  EXPECT_EQ(host.WaitUntil(40, 20), 60u);
  std::vector<std::uint16_t> screen(640 * 480, 7);
  host.Present({screen.data(), 640, 480});
  EXPECT_EQ(host.Ticks(), 66u);  // the 4th 60 Hz boundary
  host.Present({screen.data(), 640, 480});
  EXPECT_EQ(host.Ticks(), 83u);
  EXPECT_EQ(host.VisibleAt(0, 0), 7);
}

// The run's limit, SIGTERM and Ctrl+C end a headless run in order: every
// blocking call unwinds from then on, and a second signal does not kill. The
// game's own quit is an event instead.
TEST(HeadlessHost, AQuitUnwindsEveryBlockingCallAndPostQuitIsAnOrderlyEvent) {
  CatchQuitSignals();
  for (const int sig : {0, SIGTERM, SIGINT}) {
    SCOPED_TRACE(sig);
    HeadlessHost host;
    host.SetQuitAt(100);
    host.Sleep(60);
    if (sig != 0) {
      std::raise(sig);
      std::raise(sig);  // the handler stays: still alive here
    }
    EXPECT_THROW(host.Sleep(60), QuitRequest);
    EXPECT_EQ(host.Ticks(), sig == 0 ? 100u : 60u);
    EXPECT_THROW(host.ReadKeyboard(), QuitRequest);
    EXPECT_TRUE(host.QuitRequested());
    EXPECT_EQ(host.PollEvent(), HostEvent::Activated);
    EXPECT_EQ(host.PollEvent(), HostEvent::Quit);
    ForgetQuitSignal();
  }

  HeadlessHost game;
  EXPECT_EQ(game.PollEvent(), HostEvent::Activated);
  EXPECT_EQ(game.PollEvent(), HostEvent::None);
  game.PostQuit();
  EXPECT_NO_THROW(game.Sleep(10));
  EXPECT_EQ(game.PollEvent(), HostEvent::Quit);
}

}  // namespace
