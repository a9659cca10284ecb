// Walking the world map: the start, the controls and the random battles,
// played through the main loop.
#include <gtest/gtest.h>

#include "platform/random.h"
#include "world/direction.h"
#include "world/hero_controls.h"
#include "world/world_play.h"

namespace {

// Right beats Left beats Down beats Up, and the stick beats the arrows; each
// step takes 32 frames, the first move in the deciding frame. A push off the
// map's edge rolls nothing.
TEST(WorldMap, FirstGameWaitsThirtyTwoFramesThenStepsAsTheControlsSay) {
  Play play("0 S Pad2\n");
  EXPECT_TRUE(EnteredAt(play.Events("enter").at(0), "world", 45, 45));
  EXPECT_EQ(GameState, WorldMap);
  // Draws 5 mod 10 would meet monsters in the forest but not on open ground.
  SetRandState(StateWhere(5, [](int, int draw) { return draw % 10 == 5; }));
  play.Hold(kLeft);
  play.Frames(31);
  EXPECT_TRUE(play.Events("step").empty());
  EXPECT_EQ(actors[0].facing, Down);  // not even turning while he waits
  const struct {
    std::uint32_t held;
    int direction, x, y;
  } cases[] = {{kUp | kDown, Down, 45, 46},
               {kUp | kDown | kLeft | kRight, Right, 46, 46},
               {kDown | kLeft, Left, 45, 46},
               {kRight | kPadLeft, Left, 44, 46},
               {kPadUp, Up, 44, 45}};
  for (const auto& c : cases) {
    play.ForgetTrace();
    play.Hold(c.held);
    play.Frames(1);
    EXPECT_EQ(requestedDirection, c.direction);
    EXPECT_EQ(actors[0].stepLeft, 62);
    EXPECT_TRUE(EnteredAt(play.Events("step").at(0), "", c.x, c.y)) << c.held;
    play.Frames(31);
  }
  Play::Place(25, 0);  // the grass pass at the top edge
  const std::uint32_t state = RandState();
  play.ForgetTrace();
  play.Hold(kUp);
  play.Frames(40);
  EXPECT_EQ(RandState(), state);
  EXPECT_TRUE(play.Events("step").empty());
  EXPECT_EQ(actors[0].facing, Up);
}

// Draws 41, 18467 and 6334 let three steps go; 26500 mod 10 is 0 and 19169
// is odd: a Devil Stone, on the open ground of the fourth cell. The world
// music starts over in the frame of the battle.
TEST(WorldMap, FourthAttemptedStepMeetsADevilStoneAndCostsTheStep) {
  Play play;
  play.Frames(31);
  play.Hold(kRight | kA | kS);  // A and S fight and read the battle through
  ASSERT_GT(play.FramesUntilEvent("battle_end", 200), 0);
  EXPECT_EQ(play.Events("step").size(), 3u);
  ASSERT_EQ(play.Events("battle").size(), 1u);
  EXPECT_TRUE(Has(play.Events("battle")[0], "\"kind\":2,\"tile\":0"));
  EXPECT_EQ(actors[0].tileX, 48);
  EXPECT_TRUE(Has(play.Events("sound").back(), "\"op\":\"play\",\"name\":\"world\""));
  EXPECT_EQ(GameState, WorldMap);
}

// Every frame of pushing against a cell is an attempt with its own roll, one
// in ten, or one in five on the forest; the fight is on the target's code.
TEST(WorldMap, APushRollsOnTheTargetCellAndFightsOnItsCode) {
  const struct {
    int column, row, tile, frames, draw;  // the frame whose roll meets a monster, its draw mod 10
    std::uint32_t held;
  } pushes[] = {{10, 6, 8, 5, 0, kRight},  // a mountain: blocked, rolls anyway
                {28, 12, 45, 1, 5, kUp}};  // forest above the forest
  for (const auto& p : pushes) {
    Play play;
    play.Frames(31);
    Play::Place(p.column, p.row);
    SetRandState(StateWhere(p.frames, [&](int i, int draw) {
      return i + 1 == p.frames ? draw % 10 == p.draw : draw % 10 != 0;
    }));
    play.Hold(p.held | kA | kS);
    ASSERT_EQ(play.FramesUntilEvent("battle_end", 10), p.frames) << p.tile;
    EXPECT_EQ(Num(play.Events("battle").at(0), "tile"), p.tile);
    EXPECT_TRUE(play.Events("step").empty());
    EXPECT_EQ(actors[0].tileX, p.column);
    EXPECT_EQ(actors[0].tileY, p.row);
  }
}

}  // namespace
