// The host's input mapping and present pacing, without any window.
#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include "host/frame_pacer.h"
#include "host/key_codes.h"
#include "host/key_map.h"

TEST(KeyMap, TheGamesKeysComeFromTheirPlaces) {
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_UP), DIK_UP);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_DOWN), DIK_DOWN);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_LEFT), DIK_LEFT);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_RIGHT), DIK_RIGHT);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_A), DIK_A);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_S), DIK_S);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_Z), DIK_Z);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_ESCAPE), DIK_ESCAPE);
  // The keypad's arrows are keys of their own, not the arrow keys.
  EXPECT_NE(GameKeyFromScancode(SDL_SCANCODE_KP_8), DIK_UP);
}

TEST(KeyMap, UnknownAndOutOfRangeScancodesGiveNoKey) {
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_AUDIOPLAY), 0);
  EXPECT_EQ(GameKeyFromScancode(-1), 0);
  EXPECT_EQ(GameKeyFromScancode(SDL_NUM_SCANCODES), 0);
}

TEST(KeyMap, NoTwoScancodesShareAGameKey) {
  int owners[256] = {};
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    const int code = GameKeyFromScancode(sc);
    if (code == 0) continue;
    EXPECT_EQ(owners[code], 0) << "key code " << code << " from scancodes " << owners[code]
                               << " and " << sc;
    owners[code] = sc;
  }
}

TEST(KeyMap, SnapshotMarksHeldKeysWith0x80Only) {
  std::uint8_t state[SDL_NUM_SCANCODES] = {};
  state[SDL_SCANCODE_LEFT] = 1;
  state[SDL_SCANCODE_S] = 1;
  state[SDL_SCANCODE_AUDIOPLAY] = 1;  // no game key: ignored
  const KeySnapshot keys = KeySnapshotFromScancodes(state, SDL_NUM_SCANCODES);
  int down = 0;
  for (std::uint8_t b : keys) down += b != 0;
  EXPECT_EQ(down, 2);
  EXPECT_EQ(keys[DIK_LEFT], 0x80);
  EXPECT_EQ(keys[DIK_S], 0x80);
  // A short state array (an older SDL) and no array at all are both safe.
  EXPECT_EQ(KeySnapshotFromScancodes(state, SDL_SCANCODE_LEFT)[DIK_LEFT], 0);
  EXPECT_EQ(KeySnapshotFromScancodes(nullptr, 100)[DIK_S], 0);
}

TEST(ControllerMap, ButtonsFollowTheirRoles) {
  ControllerInputs in;
  in.south = true;
  PadSnapshot pad = PadFromController(in);
  EXPECT_TRUE(pad.attached);
  EXPECT_TRUE(pad.buttons[1]);
  EXPECT_FALSE(pad.buttons[0]);
  EXPECT_FALSE(pad.buttons[2]);

  in = {};
  in.east = true;
  pad = PadFromController(in);
  EXPECT_TRUE(pad.buttons[2]);
  EXPECT_FALSE(pad.buttons[1]);

  for (bool ControllerInputs::*menu :
       {&ControllerInputs::north, &ControllerInputs::west, &ControllerInputs::start}) {
    in = {};
    in.*menu = true;
    pad = PadFromController(in);
    EXPECT_TRUE(pad.buttons[0]);
    EXPECT_FALSE(pad.buttons[1] || pad.buttons[2]);
  }
}

TEST(ControllerMap, StickPassesThroughAndTheDpadWinsWhileHeld) {
  ControllerInputs in;
  in.leftX = -20000;
  in.leftY = 12345;
  PadSnapshot pad = PadFromController(in);
  EXPECT_EQ(pad.x, -20000);
  EXPECT_EQ(pad.y, 12345);

  in.dpadRight = true;
  in.dpadUp = true;
  pad = PadFromController(in);
  EXPECT_EQ(pad.x, 32767);
  EXPECT_EQ(pad.y, -32768);

  // Opposite directions together cancel out and leave the stick in charge.
  in = {};
  in.leftX = 100;
  in.dpadLeft = in.dpadRight = true;
  EXPECT_EQ(PadFromController(in).x, 100);
}

TEST(FramePacer, SlotsAreExactlySixtyPerSecond) {
  EXPECT_EQ(SlotStart(0), 0);
  EXPECT_EQ(SlotStart(1), 16'666'667);
  EXPECT_EQ(SlotStart(60), 1'000'000'000);
  EXPECT_EQ(SlotStart(3600), 60'000'000'000);
  // A slot begins at the first nanosecond whose index is that slot.
  for (std::int64_t k : {1, 2, 59, 61, 1000001}) {
    EXPECT_EQ(SlotIndexAt(SlotStart(k)), k);
    EXPECT_EQ(SlotIndexAt(SlotStart(k) - 1), k - 1);
  }
}

TEST(FramePacer, APresentShowsAtTheNextBoundaryAndNeverTwiceInOneSlot) {
  // Mid-slot 5: shown at the start of slot 6.
  EXPECT_EQ(NextPresentSlot(SlotStart(5) + 1000, 4), 6);
  // Right on a boundary the present still waits for the next one.
  EXPECT_EQ(NextPresentSlot(SlotStart(6), 6), 7);
  // Something already shown in slot 7 pushes the present to slot 8.
  EXPECT_EQ(NextPresentSlot(SlotStart(6) + 5, 7), 8);
  // A late frame resumes the grid from now instead of catching up.
  EXPECT_EQ(NextPresentSlot(SlotStart(100) + 3, 7), 101);
}
