// The input script and the headless host's virtual clock.
#include <gtest/gtest.h>

#include "host/headless_host.h"
#include "host/key_codes.h"

namespace {

TEST(InputScript, HoldsEachLinesControlsUntilTheNext) {
  std::string error;
  auto script = ParseInputScript("# walk, then talk\n\n0 Up\n100 Up A   # both\n250\n", &error);
  ASSERT_TRUE(script) << error;
  EXPECT_EQ(script->HeldAt(0), kUp);
  EXPECT_EQ(script->HeldAt(99), kUp);
  EXPECT_EQ(script->HeldAt(100), kUp | kA);
  EXPECT_EQ(script->HeldAt(250), 0u);
  EXPECT_EQ(script->HeldAt(1'000'000), 0u);
  EXPECT_FALSE(script->padAttached);
  EXPECT_TRUE(ParseInputScript("5 PadDown\n", &error)->padAttached);
}

TEST(InputScript, ErrorsNameTheirLine) {
  std::string error;
  EXPECT_FALSE(ParseInputScript("0 Up\n\nsoon A\n", &error));
  EXPECT_NE(error.find("line 3"), std::string::npos) << error;
  EXPECT_FALSE(ParseInputScript("10 Up\n5 Down\n", &error));
  EXPECT_NE(error.find("line 2"), std::string::npos) << error;
  EXPECT_FALSE(ParseInputScript("0 Jump\n", &error));
  EXPECT_NE(error.find("Jump"), std::string::npos) << error;
  EXPECT_FALSE(ParseInputScript("-5 A\n", &error));
  EXPECT_FALSE(ParseInputScript("1.5 A\n", &error));
}

TEST(HeadlessHost, VirtualTimeMovesOnlyByWaitsReadsAndPresents) {
  HeadlessHost host(*ParseInputScript("0 A\n3 S\n", nullptr));
  EXPECT_EQ(host.Ticks(), 0u);
  host.Sleep(50);
  EXPECT_EQ(host.Ticks(), 50u);
  host.ReadGamepad();
  EXPECT_EQ(host.Ticks(), 50u);
  host.ReadKeyboard();
  EXPECT_EQ(host.Ticks(), 51u);
  EXPECT_EQ(host.WaitUntil(40, 20), 60u);
  std::vector<std::uint16_t> screen(640 * 480, 7);
  host.Present({screen.data(), 640, 480});
  EXPECT_EQ(host.Ticks(), 66u);  // the 4th 60 Hz boundary
  host.Present({screen.data(), 640, 480});
  EXPECT_EQ(host.Ticks(), 83u);
  EXPECT_EQ(host.VisibleAt(0, 0), 7);
}

TEST(HeadlessHost, ScriptedKeysFollowVirtualTime) {
  HeadlessHost host(*ParseInputScript("0 A\n3 S Esc\n", nullptr));
  EXPECT_EQ(host.ReadKeyboard()[DIK_A], 0x80);  // at 1 ms
  host.ReadKeyboard();
  const KeySnapshot keys = host.ReadKeyboard();  // at 3 ms
  EXPECT_EQ(keys[DIK_A], 0);
  EXPECT_EQ(keys[DIK_S], 0x80);
  EXPECT_TRUE(host.EscapeDown());
  EXPECT_FALSE(host.ReadGamepad().attached);
}

TEST(HeadlessHost, AQuitUnwindsEveryBlockingCall) {
  HeadlessHost host;
  host.SetQuitAt(100);
  host.Sleep(60);
  EXPECT_THROW(host.Sleep(60), QuitRequest);
  EXPECT_EQ(host.Ticks(), 100u);
  EXPECT_THROW(host.ReadKeyboard(), QuitRequest);
  EXPECT_TRUE(host.QuitRequested());
  EXPECT_EQ(host.PollEvent(), HostEvent::Activated);
  EXPECT_EQ(host.PollEvent(), HostEvent::Quit);
}

TEST(HeadlessHost, PostQuitIsAnOrderlyEventNotAnUnwind) {
  HeadlessHost host;
  EXPECT_EQ(host.PollEvent(), HostEvent::Activated);
  EXPECT_EQ(host.PollEvent(), HostEvent::None);
  host.PostQuit();
  EXPECT_NO_THROW(host.Sleep(10));
  EXPECT_EQ(host.PollEvent(), HostEvent::Quit);
}

}  // namespace
