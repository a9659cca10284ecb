// Going into the three places and out again, talking to the people, and the
// way to Elmo, played through the main loop.
#include <gtest/gtest.h>

#include <string>

#include "platform/random.h"
#include "world/demon_castle_scene.h"
#include "world/direction.h"
#include "world/map_entry.h"
#include "world/town_scene.h"
#include "world/world_play.h"

namespace {

bool EnteredAt(const std::string& line, const char* map, int x, int y) {
  return line.find(std::string("\"map\":\"") + map + "\"") != std::string::npos &&
         TraceNumber(line, "x") == x && TraceNumber(line, "y") == y;
}

// A fresh game with the hero free to walk at `cell` of the world map and no
// monster in the next few steps.
void ReadyOnWorld(Play& play, int column, int row) {
  play.Frames(31);
  Play::PlaceHero(column, row);
  SetRandState(QuietRandState(4));
  play.ForgetTrace();
}

TEST(Places, IntoTheVillageAndOutAgain) {
  Play play;
  ReadyOnWorld(play, 48, 49);  // where the hero comes out of the village
  play.Hold(kUp);
  // The village is entered once the hero's middle (lifted by 3) is over its
  // picture, 15 frames into the step, and runs in the same frame.
  ASSERT_EQ(play.FramesUntilEvent("enter", 40), 15);
  EXPECT_TRUE(EnteredAt(play.Events("enter")[0], "village", 15, 29));
  EXPECT_EQ(GameState, Village);
  EXPECT_EQ(lastMapLeft, 1);

  play.Hold(kDown);
  play.ForgetTrace();
  ASSERT_GT(play.FramesUntilEvent("enter", 200), 0);
  EXPECT_TRUE(EnteredAt(play.Events("enter")[0], "world", 48, 49));
  EXPECT_EQ(play.Events("step").size(), 2u);  // rows 30 and 31
  EXPECT_EQ(GameState, WorldMap);
  EXPECT_EQ(lastMapLeft, 2);
  EXPECT_EQ(actors[0].facing, Down);
  // Out of the village he waits 32 frames, the leaving frame the first.
  SetRandState(QuietRandState(1));
  play.Hold(kLeft);
  play.ForgetTrace();
  play.Frames(31);
  EXPECT_TRUE(play.Events("step").empty());
  play.Frames(1);
  EXPECT_EQ(play.Events("step").size(), 1u);
}

TEST(Places, IntoTheCastleAndOutThroughTheGateway) {
  Play play;
  ReadyOnWorld(play, 51, 43);
  play.Hold(kUp);
  ASSERT_GT(play.FramesUntilEvent("enter", 40), 0);
  EXPECT_TRUE(EnteredAt(play.Events("enter")[0], "castle", 16, 30));
  EXPECT_EQ(GameState, Castle);

  play.Hold(kDown);
  play.ForgetTrace();
  ASSERT_GT(play.FramesUntilEvent("enter", 200), 0);
  EXPECT_TRUE(EnteredAt(play.Events("enter")[0], "world", 51, 43));
  EXPECT_EQ(lastMapLeft, 3);
  EXPECT_EQ(GameState, WorldMap);
}

TEST(Places, OnlyTheGatewayLeadsDownToTheCastlesLastRow) {
  Play play;
  EnterCastle();
  SetGameState(Castle);
  for (int column = 5; column <= 26; ++column) {
    Play::PlaceHero(column, 30);
    play.ForgetTrace();
    play.Hold(kDown);
    play.Frames(1);
    const bool stepped = play.Events("step").size() == 1;
    EXPECT_EQ(stepped, column >= 14 && column <= 17) << "column " << column;
    play.Hold(0);
    play.Frames(16);
  }
  EXPECT_EQ(GameState, Castle);
}

TEST(Places, LastMapLeftOutlivesTheGameAndPicksTheStartCell) {
  Play play;
  lastMapLeft = 3;
  SetGameState(Title);
  play.Hold(kS);  // skips the title
  play.ForgetTrace();
  play.Frames(1);
  const auto enters = play.Events("enter");
  ASSERT_EQ(enters.size(), 1u);
  EXPECT_TRUE(EnteredAt(enters[0], "world", 51, 43));

  // Into Elmo's castle: the mark goes back to 1 and the next game starts at
  // the first start cell again.
  ReadyOnWorld(play, 7, 11);
  play.Hold(kUp);
  ASSERT_GT(play.FramesUntilEvent("enter", 40), 0);
  EXPECT_TRUE(EnteredAt(play.Events("enter")[0], "demon", 10, 31));
  EXPECT_EQ(GameState, DemonCastle);
  EXPECT_EQ(lastMapLeft, 1);
  SetGameState(Title);
  play.Hold(kS);
  play.ForgetTrace();
  play.Frames(1);
  EXPECT_TRUE(EnteredAt(play.Events("enter")[0], "world", 45, 45));
}

// The village with the hero free at `hero` and person `slot` held still at
// `person` (their pause is long enough for the test).
void VillageWith(Play& play, int heroColumn, int heroRow, int slot, int column, int row) {
  EnterVillage();
  SetGameState(Village);
  for (int s = 1; s <= 6; ++s) actors[s].pause = 100000;  // everybody stands still
  Play::Place(actors[slot], column, row);
  Play::PlaceHero(heroColumn, heroRow);
  play.ForgetTrace();
}

TEST(Talking, TheGirlNeedsTheArrowAndTheTalkButtonTogether) {
  Play play;
  VillageWith(play, 20, 21, 2, 20, 20);
  play.Hold(kA);
  play.Frames(10);
  EXPECT_TRUE(play.Events("talk").empty());

  play.Hold(kUp | kA);
  ASSERT_EQ(play.FramesUntilEvent("talk", 1), 1);
  EXPECT_EQ(TraceNumber(play.Events("talk")[0], "person"), 2);
  EXPECT_EQ(pendingTalk, 0);
  EXPECT_EQ(actors[0].tileY, 21);  // talking is no step
}

TEST(Talking, PushingWithoutTalkingMakesThePersonMoveOn) {
  Play play;
  VillageWith(play, 20, 21, 2, 20, 20);
  SetRandState(1);  // 41 mod 4 = 1: the Girl turns down, into the hero
  play.Hold(kUp);
  play.Frames(1);
  EXPECT_TRUE(play.Events("talk").empty());
  // Her pause was cleared and she chose again in the same frame.
  EXPECT_EQ(actors[2].pause, 64 - 4);
  EXPECT_EQ(actors[0].tileY, 21);
  // The Boy, far from the hero, kept his long pause.
  EXPECT_GT(actors[3].pause, 1000);
}

TEST(Talking, TheMerchantOnlyAcrossTheCounter) {
  Play play;
  // Below the shop counter (29, 17), the Merchant right behind it.
  VillageWith(play, 29, 18, 1, 29, 16);
  actors[1].facing = Left;
  play.Hold(kUp | kA | kS);
  ASSERT_EQ(play.FramesUntilEvent("talk", 1), 1);
  EXPECT_EQ(TraceNumber(play.Events("talk")[0], "person"), 1);
  EXPECT_EQ(actors[1].facing, Down);  // he turns to the customer

  // One column off, the counter is just a counter.
  Play::Place(actors[1], 28, 16);
  actors[1].pause = 100000;
  play.ForgetTrace();
  play.Frames(3);
  EXPECT_TRUE(play.Events("talk").empty());

  // Face to face on open ground he does not answer.
  Play::Place(actors[1], 20, 24);
  Play::PlaceHero(20, 25);
  play.Frames(3);
  EXPECT_TRUE(play.Events("talk").empty());
}

TEST(Talking, TheBellboyAcrossTheInnCounter) {
  Play play;
  VillageWith(play, 14, 21, 4, 14, 19);
  play.Hold(kUp | kA | kS);
  ASSERT_EQ(play.FramesUntilEvent("talk", 1), 1);
  EXPECT_EQ(TraceNumber(play.Events("talk")[0], "person"), 4);
  EXPECT_EQ(actors[4].facing, Down);
}

TEST(Talking, TheKingInHisCastle) {
  Play play;
  EnterCastle();
  SetGameState(Castle);
  for (int s : {6, 7, 8}) actors[s].pause = 100000;
  Play::PlaceHero(16, 18);
  Play::Place(actors[8], 16, 17);
  actors[8].facing = Left;
  play.ForgetTrace();
  play.Hold(kUp | kA | kS);
  ASSERT_EQ(play.FramesUntilEvent("talk", 1), 1);
  EXPECT_EQ(TraceNumber(play.Events("talk")[0], "person"), 8);
  EXPECT_EQ(actors[8].facing, Left);  // in the castle nobody turns
}

TEST(ElmosCastle, AskingForRowFiveFromRowSixMeetsElmo) {
  for (int column : {8, 10, 12}) {
    Play play;
    Play::MakeHeroStrong();
    EnterDemonCastle();
    SetGameState(DemonCastle);
    Play::PlaceHero(column, 6);
    play.ForgetTrace();
    // The ending waits for Z; the rest of the way A and S read on.
    play.game().host().SetReadHook(
        [&play](std::uint32_t) { play.Hold(GameState == Ending ? kZ : (kUp | kA | kS)); });
    play.Hold(kUp | kA | kS);
    play.Frames(1);
    const auto talks = play.Events("talk");
    ASSERT_EQ(talks.size(), 1u) << "column " << column;
    EXPECT_EQ(TraceNumber(talks[0], "person"), 10);
    const auto battles = play.Events("battle");
    ASSERT_EQ(battles.size(), 1u);
    EXPECT_EQ(TraceNumber(battles[0], "kind"), 10);
    EXPECT_EQ(TraceNumber(battles[0], "tile"), 10);
    EXPECT_EQ(GameState, Title);  // the ending ran in the same frame
    play.game().host().SetReadHook(nullptr);
  }
}

TEST(ElmosCastle, OneRowFurtherDownIsJustAStep) {
  Play play;
  EnterDemonCastle();
  SetGameState(DemonCastle);
  Play::PlaceHero(10, 7);
  play.ForgetTrace();
  play.Hold(kUp);
  play.Frames(1);
  EXPECT_TRUE(play.Events("talk").empty());
  EXPECT_EQ(play.Events("step").size(), 1u);
  EXPECT_EQ(actors[0].tileY, 6);
}

TEST(ElmosCastle, ElmoChangesPictureEveryTwentyOneFrames) {
  Play play;
  EnterDemonCastle();
  SetGameState(DemonCastle);
  elmoCountdown = 20;
  elmoFrame = 0;
  play.Frames(20);
  EXPECT_EQ(elmoFrame, 0);
  play.Frames(1);
  EXPECT_EQ(elmoFrame, 1);
  play.Frames(20);
  EXPECT_EQ(elmoFrame, 1);
  play.Frames(1);
  EXPECT_EQ(elmoFrame, 0);
}

}  // namespace
