// The host's input mapping and present pacing, without any window.
#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "host/frame_pacer.h"
#include "host/key_codes.h"
#include "host/key_map.h"

TEST(KeyMap, EachGameKeyComesFromOnePlaceAndOthersGiveNone) {
  const std::pair<int, int> keys[] = {
      {SDL_SCANCODE_UP, DIK_UP},     {SDL_SCANCODE_DOWN, DIK_DOWN},
      {SDL_SCANCODE_LEFT, DIK_LEFT}, {SDL_SCANCODE_RIGHT, DIK_RIGHT},
      {SDL_SCANCODE_A, DIK_A},       {SDL_SCANCODE_S, DIK_S},
      {SDL_SCANCODE_Z, DIK_Z},       {SDL_SCANCODE_ESCAPE, DIK_ESCAPE}};
  for (auto [sc, key] : keys) EXPECT_EQ(GameKeyFromScancode(sc), key) << sc;
  for (const int sc : {0, -1, int{SDL_NUM_SCANCODES}}) EXPECT_EQ(GameKeyFromScancode(sc), 0) << sc;
  // No two scancodes share a game key (the keypad's arrows are not the arrows).
  int owners[256] = {};
  for (int sc = 1; sc < SDL_NUM_SCANCODES; ++sc) {
    const int code = GameKeyFromScancode(sc);
    EXPECT_TRUE(code == 0 || owners[code] == 0)
        << "key " << code << " from " << owners[code] << " and " << sc;
    owners[code] = sc;
  }

  std::uint8_t state[SDL_NUM_SCANCODES] = {};
  state[SDL_SCANCODE_LEFT] = state[SDL_SCANCODE_S] = state[SDL_SCANCODE_AUDIOPLAY] = 1;
  const KeySnapshot held = KeySnapshotFromScancodes(state, SDL_NUM_SCANCODES);
  EXPECT_EQ(std::count_if(held.begin(), held.end(), [](auto b) { return b != 0; }), 2);
  EXPECT_TRUE(held[DIK_LEFT] == 0x80 && held[DIK_S] == 0x80);
  // A short state array (an older SDL) and no array at all are both safe.
  EXPECT_EQ(KeySnapshotFromScancodes(state, SDL_SCANCODE_LEFT)[DIK_LEFT], 0);
  EXPECT_EQ(KeySnapshotFromScancodes(nullptr, 100)[DIK_S], 0);
}

TEST(ControllerMap, ButtonsFollowTheirRolesAndTheDpadBeatsTheStick) {
  const struct {
    ControllerInputs in;
    int button;  // the one button held, -1 for none
    int x, y;
  } cases[] = {
      {{.south = true}, 1, 0, 0},
      {{.east = true}, 2, 0, 0},
      {{.north = true}, 0, 0, 0},
      {{.west = true}, 0, 0, 0},
      {{.start = true}, 0, 0, 0},
      {{.leftX = -20000, .leftY = 12345}, -1, -20000, 12345},
      {{.leftX = -20000, .leftY = 12345, .dpadUp = true, .dpadRight = true}, -1, 32767, -32768},
      // Opposite directions together cancel out and leave the stick in charge.
      {{.leftX = 100, .dpadLeft = true, .dpadRight = true}, -1, 100, 0}};
  for (const auto& c : cases) {
    const PadSnapshot pad = PadFromController(c.in);
    EXPECT_TRUE(pad.attached);
    for (std::size_t b = 0; b < 3; ++b)
      EXPECT_EQ(pad.buttons[b], std::cmp_equal(b, c.button))
          << "button " << b << " of case " << &c - cases;
    EXPECT_EQ(pad.x, c.x) << &c - cases;
    EXPECT_EQ(pad.y, c.y) << &c - cases;
  }
}

TEST(FramePacer, SlotsAreSixtyASecondAndAPresentShowsAtTheNextFreeBoundary) {
  EXPECT_EQ(SlotStart(3600), 60'000'000'000);
  // A slot begins at the first nanosecond whose index is that slot.
  for (std::int64_t k : {0, 1, 2, 59, 61, 1000001}) {
    EXPECT_EQ(SlotIndexAt(SlotStart(k)), k);
    EXPECT_EQ(SlotIndexAt(SlotStart(k) - 1), k - 1);
  }
  EXPECT_EQ(NextPresentSlot(SlotStart(5) + 1000, 4), 6);   // mid-slot: the next boundary
  EXPECT_EQ(NextPresentSlot(SlotStart(6), 6), 7);          // right on a boundary: still the next
  EXPECT_EQ(NextPresentSlot(SlotStart(6) + 5, 7), 8);      // slot 7 already shown
  EXPECT_EQ(NextPresentSlot(SlotStart(100) + 3, 7), 101);  // late: resumes from now, no catching up
}

TEST(FramePacer, ARepeatedReadWaitsAMomentLongerWhenIdleButNotPastADuePicture) {
  constexpr RepeatedReadWait wait{.idleAfterNs = 16'000'000, .idleWaitMs = 8};
  const ReadGate gate{.lastRead = 0, .readBefore = true, .changedAtNs = 1'000'000'000};
  const std::int64_t changed = gate.changedAtNs;
  struct Case {
    std::int64_t ns;
    bool pictureDue;
    std::int64_t lastShownSlot;
    std::int64_t ms;
  } cases[] = {
      {changed + 15'999'999, false, 0, 1},  // still moving: the next millisecond
      {changed + 16'000'000, false, 0, 8},  // stood still: the idle wait
      {changed + 16'000'000, true, SlotIndexAt(changed + 30'000'000), 8},  // slot far off
      // A drawn picture due at the next slot cuts the wait, rounded up to it.
      {SlotStart(70) - 2'500'000, true, 69, 3},
      {SlotStart(70), true, 69, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RepeatedReadWaitMs(wait, gate, c.ns, c.pictureDue, c.lastShownSlot), c.ms)
        << "at " << c.ns;
  }
}
