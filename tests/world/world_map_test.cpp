// Walking the world map: the start, the controls, the random battles and the
// entrances, played through the main loop.
#include <gtest/gtest.h>

#include "platform/random.h"
#include "world/direction.h"
#include "world/hero_controls.h"
#include "world/world_play.h"

namespace {

TEST(WorldMap, FirstGameStartsAt45_45FacingDownAndWaits32Frames) {
  Play play;  // frame 1: title, new game, first world frame
  const auto enters = play.Events("enter");
  ASSERT_EQ(enters.size(), 1u);
  EXPECT_NE(enters[0].find("\"map\":\"world\""), std::string::npos);
  EXPECT_EQ(TraceNumber(enters[0], "x"), 45);
  EXPECT_EQ(TraceNumber(enters[0], "y"), 45);
  EXPECT_EQ(actors[0].facing, Down);
  EXPECT_EQ(GameState, WorldMap);

  play.Hold(kRight);
  play.Frames(31);
  EXPECT_TRUE(play.Events("step").empty());
  EXPECT_EQ(actors[0].facing, Down);  // not even turning while he waits
  play.Frames(1);
  const auto steps = play.Events("step");
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(TraceNumber(steps[0], "x"), 46);
  EXPECT_EQ(TraceNumber(steps[0], "y"), 45);
}

TEST(WorldMap, AStepLastsThirtyTwoFramesAndAHeldArrowWalksOn) {
  Play play;
  play.Frames(31);
  play.Hold(kUp);
  play.Frames(1);
  EXPECT_EQ(actors[0].y, 45 * 64 - 2);  // the first move in the deciding frame
  play.Frames(31);
  EXPECT_EQ(actors[0].y, 44 * 64);
  EXPECT_EQ(play.Events("step").size(), 1u);
  play.Frames(1);
  EXPECT_EQ(play.Events("step").size(), 2u);
}

TEST(WorldMap, FourthAttemptedStepMeetsADevilStoneAndCostsTheStep) {
  Play play;
  Play::MakeHeroStrong();
  play.Frames(31);
  play.Hold(kRight | kA | kS);  // A and S fight and read the battle through
  ASSERT_GT(play.FramesUntilEvent("battle_end", 200), 0);

  // Draws 41, 18467 and 6334 let three steps go; 26500 mod 10 is 0 and
  // 19169 is odd: a Devil Stone, on the open ground of the fourth cell.
  const auto steps = play.Events("step");
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(TraceNumber(steps[2], "x"), 48);
  const auto battles = play.Events("battle");
  ASSERT_EQ(battles.size(), 1u);
  EXPECT_EQ(TraceNumber(battles[0], "kind"), 2);
  EXPECT_EQ(TraceNumber(battles[0], "tile"), 0);
  EXPECT_EQ(actors[0].tileX, 48);
  EXPECT_EQ(actors[0].stepLeft, 0);
  EXPECT_EQ(actors[0].facing, Right);

  // The world music starts over in the frame of the battle.
  bool musicAfterBattle = false;
  bool afterBattle = false;
  for (const auto& line : play.Trace()) {
    if (IsEvent(line, "battle_end")) afterBattle = true;
    if (afterBattle && IsEvent(line, "sound") &&
        line.find("\"op\":\"play\",\"name\":\"world\"") != std::string::npos) {
      musicAfterBattle = true;
    }
  }
  EXPECT_TRUE(musicAfterBattle);
  EXPECT_EQ(GameState, WorldMap);
}

TEST(WorldMap, PushingOffTheEdgeRollsNothing) {
  Play play;
  play.Frames(31);
  Play::PlaceHero(25, 0);  // the grass pass at the top edge
  const std::uint32_t state = RandState();
  play.Hold(kUp);
  play.Frames(40);
  EXPECT_EQ(RandState(), state);
  EXPECT_TRUE(play.Events("step").empty());
  EXPECT_TRUE(play.Events("battle").empty());
  EXPECT_EQ(actors[0].facing, Up);
}

TEST(WorldMap, PushingAgainstAMountainRollsAndFightsOnItsCode) {
  Play play;
  Play::MakeHeroStrong();
  play.Frames(31);
  Play::PlaceHero(10, 6);          // a mountain (code 8) to the right
  SetRandState(StateAfter(1, 3));  // next: 26500, a battle at once
  play.Hold(kRight | kA | kS);
  ASSERT_EQ(play.FramesUntilEvent("battle_end", 5), 1);
  const auto battles = play.Events("battle");
  ASSERT_EQ(battles.size(), 1u);
  EXPECT_EQ(TraceNumber(battles[0], "tile"), 8);
  EXPECT_EQ(actors[0].tileX, 10);
  EXPECT_EQ(actors[0].facing, Right);

  // Without a battle the mountain simply stops him; every frame of pushing
  // is another attempt with another roll.
  SetRandState(QuietRandState(5));
  const std::uint32_t before = RandState();
  play.Hold(kRight);
  play.Frames(5);
  EXPECT_EQ(RandState(), StateAfter(before, 5));
  EXPECT_EQ(actors[0].tileX, 10);
  EXPECT_TRUE(play.Events("step").empty());
}

TEST(WorldMap, ForestDoublesTheOdds) {
  Play play;
  Play::MakeHeroStrong();
  play.Frames(31);
  // A draw that is 0 mod 5 but not mod 10: open ground lets the step go,
  // the forest starts a fight.
  std::uint32_t state = 1;
  for (;; ++state) {
    SetRandState(state);
    if (Rand() % 10 == 5) break;
  }
  SetRandState(state);
  play.Hold(kUp);
  play.Frames(1);
  EXPECT_TRUE(play.Events("battle").empty());
  EXPECT_EQ(play.Events("step").size(), 1u);

  play.Hold(0);
  play.Frames(31);
  Play::PlaceHero(28, 12);  // in the forest, with more forest (45) above
  SetRandState(state);
  play.Hold(kUp | kA | kS);
  ASSERT_EQ(play.FramesUntilEvent("battle_end", 3), 1);
  const auto battles = play.Events("battle");
  ASSERT_EQ(battles.size(), 1u);
  EXPECT_EQ(TraceNumber(battles[0], "tile"), 45);
  EXPECT_EQ(actors[0].tileY, 12);
}

TEST(WorldMap, ArrowsChooseRightOverLeftOverDownOverUp) {
  Play play;
  play.Frames(31);
  SetRandState(QuietRandState(3));
  play.Hold(kUp | kDown);
  play.Frames(1);
  EXPECT_EQ(requestedDirection, Down);
  play.Frames(31);
  play.Hold(kUp | kDown | kLeft | kRight);
  play.Frames(1);
  EXPECT_EQ(requestedDirection, Right);
  play.Frames(31);
  play.Hold(kDown | kLeft);
  play.Frames(1);
  EXPECT_EQ(requestedDirection, Left);
  const auto steps = play.Events("step");
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(TraceNumber(steps[0], "y"), 46);
  EXPECT_EQ(TraceNumber(steps[1], "x"), 46);
  EXPECT_EQ(TraceNumber(steps[2], "x"), 45);
}

TEST(WorldMap, TheStickOverridesTheArrows) {
  Play play("0 S Pad2\n");
  play.Frames(31);
  SetRandState(QuietRandState(2));
  play.Hold(kRight | kPadLeft);
  play.Frames(1);
  EXPECT_EQ(requestedDirection, Left);
  play.Frames(31);
  play.Hold(kPadUp);
  play.Frames(1);
  EXPECT_EQ(requestedDirection, Up);
  const auto steps = play.Events("step");
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(TraceNumber(steps[0], "x"), 44);
  EXPECT_EQ(TraceNumber(steps[1], "y"), 44);
}

}  // namespace
