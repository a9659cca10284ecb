// Going into the three places and out again, talking to the people, and the
// way to Elmo, played through the main loop.
#include <gtest/gtest.h>

#include "state/assets.h"
#include "world/camera.h"
#include "world/direction.h"
#include "world/map_entry.h"
#include "world/walking.h"
#include "world/world_play.h"

namespace {

TEST(Places, EnteringHalfwayOntoThePictureAndLeavingOverTheBottomEdge) {
  // From the world cell just below a place's picture to the place's start
  // cell; out again over the bottom edge after `out` frames of holding Down
  // (a 16-frame wait on arrival, then 16 frames a step), which leaves
  // lastMapLeft at `mark`. There is no way out of Elmo's castle.
  struct Entrance {
    const char* map;
    int column, row, startColumn, startRow, state, out, mark;
  };
  for (const Entrance e : {Entrance{"village", 48, 49, 15, 29, Village, 48, 2},
                           {"castle", 51, 43, 16, 30, Castle, 32, 3},
                           {"demon", 7, 11, 10, 31, DemonCastle, 0, 0}}) {
    Play play;
    play.Frames(31);
    Play::Place(e.column, e.row);
    SetRandState(QuietRandState(1));
    lastMapLeft = 3;
    play.ForgetTrace();
    play.Hold(kUp);
    // The hero's middle (lifted by 3) is over the picture 15 frames into the
    // step, and the place runs in the same frame.
    ASSERT_EQ(play.FramesUntilEvent("enter", 40), 15) << e.map;
    EXPECT_TRUE(EnteredAt(play.Events("enter")[0], e.map, e.startColumn, e.startRow));
    EXPECT_EQ(GameState, e.state);
    EXPECT_EQ(lastMapLeft, 1);
    if (e.mark != 0) {
      play.Hold(kDown);
      play.ForgetTrace();
      ASSERT_EQ(play.FramesUntilEvent("enter", 60), e.out);
      EXPECT_TRUE(EnteredAt(play.Events("enter")[0], "world", e.column, e.row));
      EXPECT_EQ(lastMapLeft, e.mark);
      EXPECT_EQ(GameState, WorldMap);
      // Out of a place he waits 32 frames, the leaving frame the first.
      SetRandState(QuietRandState(1));
      play.Hold(kLeft);
      EXPECT_EQ(play.FramesUntilEvent("step", 40), 32);
    }
  }
}

TEST(Places, OnlyTheGatewayLeadsDownToTheCastlesLastRow) {
  Play play;
  play.Into(EnterCastle, Castle);
  for (int column = 5; column <= 26; ++column) {
    Play::Place(column, 30);
    play.ForgetTrace();
    play.Hold(kDown);
    play.Frames(1);
    EXPECT_EQ(play.Events("step").size(), column >= 14 && column <= 17 ? 1u : 0u) << column;
    play.Hold(0);
    play.Frames(16);
  }
  EXPECT_EQ(GameState, Castle);
}

// The talk button alone, then the arrow alone: a push, which makes a person
// (not a counter) move on. Then both: the Merchant and the Bellboy answer
// across their counters and turn to the customer, even in the middle of a
// step along the counter, which still ends on his cell; nobody else turns.
TEST(Talking, TheArrowTowardsThePersonTogetherWithA) {
  struct Listener {
    void (*enter)();
    std::int32_t state;
    int slot, column, row, heroRow, facing;
  };
  for (const Listener l : {Listener{EnterVillage, Village, 2, 20, 20, 21, Left},
                           {EnterVillage, Village, 1, 29, 16, 18, Down},
                           {EnterVillage, Village, 4, 14, 19, 21, Down},
                           {EnterCastle, Castle, 8, 16, 17, 18, Left}}) {
    SCOPED_TRACE(l.slot);
    const bool keeper = l.facing == Down;
    Play play;
    play.Into(l.enter, l.state);
    Play::StandStill();
    Play::Place(keeper ? l.column - 1 : l.column, l.row, l.slot);
    Play::Place(l.column, l.heroRow);
    actors[l.slot].facing = Left;
    if (keeper) StartStep(actors[l.slot], Right, Cell{l.column, l.row});
    play.Hold(kA);
    play.Frames(10);
    SetRandState(1);  // 41 mod 4 = 1: a pushed person tries down, into the hero
    play.Hold(kUp);
    play.Frames(1);
    EXPECT_TRUE(play.Events("talk").empty());
    const int pause = actors[l.slot].pause;
    EXPECT_TRUE(keeper ? pause > 1000 : pause == 64 - actors[l.slot].speed) << pause;
    EXPECT_EQ(actors[l.slot].stepLeft > 0, keeper);
    play.TalkUpwards();
    SetRandState(1);
    ASSERT_EQ(play.FramesUntilEvent("talk", 1), 1);
    EXPECT_EQ(Num(play.Events("talk")[0], "person"), l.slot);
    EXPECT_EQ(actors[l.slot].facing, l.facing);
    EXPECT_EQ(pendingTalk, 0);
    EXPECT_EQ(actors[0].tileY, l.heroRow);  // talking is no step
    if (!keeper) continue;

    // Long after, the counter in front of him shows its own tiles, not his feet.
    play.host().SetReadHook(nullptr);
    play.Hold(0);
    Play::Place(l.column, l.row + 4);  // out of the picture of the counter
    play.Frames(1500);
    EXPECT_EQ(actors[l.slot].x, l.column * 64);
    EXPECT_EQ(actors[l.slot].y, l.row * 64);
    const auto map = MapPixels(villageMap, *pictures::Village, camera.x, camera.y);
    EXPECT_EQ(Wrong(play,
                    [&](int x, int y) {
                      const int column = (x + camera.x) / 32, row = (y + camera.y) / 32;
                      return row == l.row + 1 && column >= l.column - 2 && column <= l.column
                                 ? map(x, y)
                                 : -1;
                    }),
              0);

    // One column off, the counter is just a counter; face to face on open
    // ground they do not answer.
    play.TalkUpwards();
    Play::Place(l.column - 1, l.row, l.slot);
    Play::Place(l.column, l.heroRow);
    play.ForgetTrace();
    play.Frames(3);
    Play::Place(20, 24, l.slot);
    Play::Place(20, 25);
    play.Frames(3);
    EXPECT_TRUE(play.Events("talk").empty());
  }
}

TEST(ElmosCastle, RowSevenIsAStepAskingForRowFiveFromRowSixMeetsElmo) {
  for (int column : {8, 10, 12}) {
    Play play;
    play.Into(EnterDemonCastle, DemonCastle);
    const bool below = column == 10;  // (10, 7) first steps up to row 6
    Play::Place(column, below ? 7 : 6);
    // The ending waits for Z; the rest of the way A and S read on.
    play.host().SetReadHook(
        [&play](std::uint32_t) { play.Hold(GameState == Ending ? kZ : (kUp | kA | kS)); });
    play.Hold(kUp | kA | kS);
    ASSERT_EQ(play.FramesUntilEvent("talk", 40), below ? 33 : 1) << column;
    EXPECT_EQ(Num(play.Events("talk")[0], "person"), 10);
    ASSERT_EQ(play.Events("battle").size(), 1u);
    EXPECT_TRUE(Has(play.Events("battle")[0], "\"kind\":10,\"tile\":10"));
    EXPECT_EQ(GameState, Title);  // the ending ran in the same frame
  }
}

}  // namespace
