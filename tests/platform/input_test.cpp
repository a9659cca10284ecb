// Key and stick thresholds, the random draw and the frame clock.
#include <gtest/gtest.h>

#include <cstring>

#include "host/headless_host.h"
#include "platform/clock.h"
#include "platform/host_link.h"
#include "platform/input.h"
#include "platform/random.h"

namespace {

// A key is down at 0x80; the stick counts beyond 512 either way; scripted
// keys and stick reach the records, and without a controller or keyboard
// the records read nothing at all.
TEST(Input, ThresholdsAndTheRecordsWithAndWithoutDevices) {
  keyState[DIK_A] = 0x80;
  keyState[DIK_S] = 0x7F;
  EXPECT_TRUE(KeyDown(DIK_A));
  EXPECT_FALSE(KeyDown(DIK_S));
  for (int v : {-512, 0, 512}) {
    gamepadState.lX = gamepadState.lY = v;
    EXPECT_FALSE(PadLeft() || PadRight() || PadUp() || PadDown()) << v;
  }
  gamepadState.lX = gamepadState.lY = -513;
  EXPECT_TRUE(PadLeft() && PadUp());
  gamepadState.lX = gamepadState.lY = 513;
  EXPECT_TRUE(PadRight() && PadDown());

  for (const bool pad : {true, false}) {
    HeadlessHost host(*ParseInputScript(pad ? "0 A PadLeft Pad2\n" : "0 A\n", nullptr));
    AttachHost(&host);
    CreateInput();
    InitKeyboard();
    EXPECT_EQ(InitGamepad(-1024, 1024, -1024, 1024), pad ? 1 : 0);
    EXPECT_EQ(ReadKeyboard(), 1);
    EXPECT_EQ(ReadGamepad(), pad ? 1 : 0);
    EXPECT_TRUE(KeyDown(DIK_A));
    if (pad) {
      EXPECT_EQ(gamepadState.lX, -1024);
      EXPECT_EQ(gamepadState.lY, 0);
      EXPECT_TRUE(PadButtonDown(2));
      EXPECT_FALSE(PadButtonDown(1));
    } else {
      const DIJOYSTATE zero{};
      EXPECT_EQ(std::memcmp(&gamepadState, &zero, sizeof zero), 0);
      ReleaseKeyboard();
      EXPECT_EQ(ReadKeyboard(), 0);
      EXPECT_FALSE(KeyDown(DIK_A));
    }
    ReleaseInput();
    AttachHost(nullptr);
  }
}

TEST(Random, DrawsTheSameSequenceInEveryRun) {
  EXPECT_EQ(RandState(), 1u);
  for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(Rand(), expected);
  SetRandState(1);
  EXPECT_EQ(Rand(), 41);
}

TEST(FrameClock, WaitsFromTheFrameStartAndSurvivesTheWrap) {
  HeadlessHost host;
  AttachHost(&host);
  MarkFrameStart();
  host.Sleep(4);
  EXPECT_EQ(WaitSinceFrameStart(10), 10u);
  EXPECT_EQ(WaitSinceFrameStart(10), 10u);  // already past: no wait
  frameStartTick = 0xFFFFFFFAu;             // the unsigned difference counts across the wrap
  EXPECT_EQ(WaitSinceFrameStart(10), 10u);
  AttachHost(nullptr);
}

}  // namespace
