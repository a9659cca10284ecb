// The camera's clamps and how a figure's picture is cut from `people`.
#include <gtest/gtest.h>

#include <vector>

#include "world/actor.h"
#include "world/camera.h"
#include "world/direction.h"
#include "world/map_drawing.h"
#include "world/tile_lists.h"
#include "world/tile_map.h"
#include "world/walking.h"

namespace {

Actor StandingAt(int column, int row, int facing = Down) {
  Actor a{};
  a.tileX = column;
  a.tileY = row;
  a.x = column * 64;
  a.y = row * 64;
  a.facing = facing;
  a.speed = 2;
  a.terrain = 1;
  return a;
}

Camera On(const TileMap& map, int column, int row) {
  return CameraFor(StandingAt(column, row), PixelWidth(map), PixelHeight(map));
}

TEST(Camera, CentresTheHeroAwayFromTheEdges) {
  const Camera c = On(worldMap, 45, 45);
  EXPECT_EQ(c.x, 45 * 32 - 304);
  EXPECT_EQ(c.y, 45 * 32 - 224);
}

TEST(Camera, StopsAtEveryEdgeOfEveryMap) {
  // Top-left corner: both clamps at 0.
  for (const TileMap* map : {&worldMap, &villageMap, &castleMap, &demonCastleMap}) {
    const Camera c = On(*map, 0, 0);
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 0);
  }
  EXPECT_EQ(On(worldMap, 63, 63).x, 1408);
  EXPECT_EQ(On(worldMap, 63, 63).y, 1568);
  EXPECT_EQ(On(villageMap, 31, 31).x, 384);
  EXPECT_EQ(On(villageMap, 31, 31).y, 544);
  EXPECT_EQ(On(castleMap, 31, 31).x, 384);
  // Elmo's castle is exactly one screen wide: the camera never pans sideways.
  for (int column = 0; column < 20; ++column) EXPECT_EQ(On(demonCastleMap, column, 31).x, 0);
  EXPECT_EQ(On(demonCastleMap, 10, 31).y, 544);
  EXPECT_EQ(On(demonCastleMap, 10, 6).y, 0);
}

TEST(Walking, AStepTakes64UnitsOfSpeedAndAPauseLikewise) {
  for (int speed : {1, 2, 4}) {
    Actor a = StandingAt(5, 5);
    a.speed = speed;
    StartStep(a, Right, Cell{6, 5});
    int frames = 0;
    while (a.stepLeft > 0) {
      AdvanceActor(a);
      ++frames;
    }
    EXPECT_EQ(frames, 64 / speed);
    EXPECT_EQ(a.x, 6 * 64);
    a.pause = 64;
    frames = 0;
    while (a.pause > 0) {
      AdvanceActor(a);
      ++frames;
    }
    EXPECT_EQ(frames, 64 / speed);
  }
}

TEST(Walking, TerrainTestTakesTheClassWalkedBy) {
  Actor a = StandingAt(10, 10);
  EXPECT_TRUE(PassesTerrain(a, 0, worldWalkable, worldSecondary));
  EXPECT_FALSE(PassesTerrain(a, 8, worldWalkable, worldSecondary));  // mountain
  a.terrain = 2;                                                     // only the forest
  EXPECT_FALSE(PassesTerrain(a, 0, worldWalkable, worldSecondary));
  EXPECT_TRUE(PassesTerrain(a, 45, worldWalkable, worldSecondary));
  EXPECT_EQ(a.terrain, 2);
  a.terrain = 3;
  EXPECT_TRUE(PassesTerrain(a, 45, worldWalkable, worldSecondary));
  EXPECT_EQ(a.terrain, 1);  // class 1 is tried first
  a.terrain = 2;
  EXPECT_FALSE(PassesTerrain(a, 45, castleWalkable, nullptr));
}

TEST(ActorPicture, WalkingFramesAlternateEveryEightFramesAtSpeedTwo) {
  Actor a = StandingAt(45, 45, Up);
  EXPECT_EQ(PrepareActorPicture(a, worldMap, worldCoverTiles).source.left, 0);
  StartStep(a, Up, Cell{45, 44});
  std::vector<int> frames;
  while (a.stepLeft > 0) {
    AdvanceActor(a);  // the first move happens in the frame that decides the step
    frames.push_back(PrepareActorPicture(a, worldMap, worldCoverTiles).source.left / 32);
  }
  std::vector<int> expected;
  for (int f : {1, 0, 1, 0}) expected.insert(expected.end(), 8, f);
  EXPECT_EQ(frames, expected);
}

TEST(ActorPicture, RowAndLiftFollowFacingAndPictureGroup) {
  Actor merchant = StandingAt(29, 16, Left);
  merchant.id = 1;
  ActorPicture p = PrepareActorPicture(merchant, castleMap, nullptr);
  EXPECT_EQ(p.source.top, 32 * (Left + 4));
  EXPECT_EQ(p.source.bottom - p.source.top, 32);
  EXPECT_EQ(p.lift, 3);
  EXPECT_EQ(p.under, -1);  // no cover on this map, nothing looked up
  merchant.stepLeft = 20;  // walking frame 1 sideways bobs a pixel higher
  EXPECT_EQ(PrepareActorPicture(merchant, castleMap, nullptr).lift, 4);
  merchant.facing = Down;
  EXPECT_EQ(PrepareActorPicture(merchant, castleMap, nullptr).lift, 3);
}

TEST(ActorPicture, CoverShowsOnlyTheHead) {
  // Any forest cell of code 45 will do.
  bool found = false;
  for (int r = 0; r < 64 && !found; ++r) {
    for (int c = 0; c < 64 && !found; ++c) {
      if (CodeAt(worldMap, c, r) != 45) continue;
      found = true;
      const ActorPicture p = PrepareActorPicture(StandingAt(c, r), worldMap, worldCoverTiles);
      EXPECT_EQ(p.under, 45);
      EXPECT_EQ(p.source.bottom - p.source.top, 8);
    }
  }
  ASSERT_TRUE(found);
  const ActorPicture open = PrepareActorPicture(StandingAt(45, 45), worldMap, worldCoverTiles);
  EXPECT_EQ(open.under, 0);
  EXPECT_EQ(open.source.bottom - open.source.top, 32);
}

TEST(ActorPicture, AFigureOffTheMapLooksUpNothing) {
  // The hero walking out of the village is drawn once more over the village
  // at his world position (48, 49): no cell of the village lies under him.
  const ActorPicture p = PrepareActorPicture(StandingAt(48, 49), villageMap, villageCoverTiles);
  EXPECT_EQ(p.under, -1);
  EXPECT_EQ(p.source.bottom - p.source.top, 32);
}

}  // namespace
