// Start-up with every file, and with each kind of missing file.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/headless_host.h"
#include "platform/data_files.h"
#include "platform/display.h"
#include "platform/host_link.h"
#include "platform/sound.h"
#include "state/assets.h"

namespace {

namespace fs = std::filesystem;

class StartUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("pq-startup-" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(fs::path(PQ_ASSET_DIR) / "bmp", dir / "bmp");
    fs::copy(fs::path(PQ_ASSET_DIR) / "wav", dir / "wav");
    SetDataFolders({dir});
    AttachHost(&host);
  }
  void TearDown() override {
    ShutDown();
    AttachHost(nullptr);
    fs::remove_all(dir);
  }
  fs::path dir;
  HeadlessHost host;
};

TEST_F(StartUpTest, EverythingLoadsIntoItsSlotWithTheColourKeys) {
  ASSERT_EQ(StartUp(), 1);
  const SoundId ids[] = {sounds::intro,    sounds::button,    sounds::button2, sounds::getitem,
                         sounds::gameover, sounds::gameover2, sounds::world,   sounds::castle2,
                         sounds::battle,   sounds::bbattle,   sounds::g_arm,   sounds::hp,
                         sounds::pattack,  sounds::eattack,   sounds::castle,  sounds::village};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(ids[i], i);
  EXPECT_TRUE(pictures::people->colourKey.has_value());
  EXPECT_TRUE(pictures::pbattle->colourKey.has_value());
  EXPECT_FALSE(pictures::world->colourKey.has_value());
  EXPECT_EQ(pictures::start->width, 640);
  EXPECT_EQ(pictures::start->height, 480);
}

TEST_F(StartUpTest, AMissingEarlyPictureStopsBeforeTheRest) {
  fs::remove(dir / "bmp" / "castle.bmp");
  testing::internal::CaptureStderr();
  EXPECT_EQ(StartUp(), 0);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("castle.bmp"), std::string::npos) << said;
  EXPECT_TRUE(pictures::Village && pictures::people && pictures::world);
  EXPECT_FALSE(pictures::castle || pictures::castle2 || pictures::start);
  EXPECT_FALSE(pictures::people->colourKey.has_value());  // keys come after all twelve
  EXPECT_EQ(sounds::intro, -1);                           // no sound set up
}

TEST_F(StartUpTest, AMissingLatePictureLeavesOnlyTheLaterOnesEmpty) {
  fs::remove(dir / "bmp" / "end.bmp");
  testing::internal::CaptureStderr();
  EXPECT_EQ(StartUp(), 0);
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(pictures::pbattle);
  EXPECT_FALSE(pictures::end || pictures::battle3 || pictures::over || pictures::start);
}

TEST_F(StartUpTest, ATruncatedPictureIsRefusedByName) {
  fs::resize_file(dir / "bmp" / "people.bmp", 100);
  testing::internal::CaptureStderr();
  EXPECT_EQ(StartUp(), 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("people.bmp"), std::string::npos);
  EXPECT_FALSE(pictures::people);
}

TEST_F(StartUpTest, AMissingSoundSilencesItAloneAndTheLaterOnesStillLoad) {
  fs::remove(dir / "wav" / "battle.wav");
  testing::internal::CaptureStderr();
  EXPECT_EQ(StartUp(), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("battle.wav"), std::string::npos);
  EXPECT_EQ(sounds::castle2, 7);
  EXPECT_EQ(sounds::battle, -1);
  EXPECT_EQ(sounds::bbattle, 8);
  EXPECT_EQ(sounds::village, 14);
  PlaySlot(sounds::battle, kPlayLooped);  // plays nothing, harmlessly
  for (SoundId id = 0; id < kSoundSlots; ++id) EXPECT_LE(SlotStatus(id), 0) << id;
}

TEST_F(StartUpTest, ShutDownReleasesEverythingAndMayRunTwice) {
  ASSERT_EQ(StartUp(), 1);
  ShutDown();
  EXPECT_FALSE(pictures::Village || pictures::end);
  EXPECT_EQ(FrontSurface, nullptr);
  EXPECT_EQ(SlotStatus(0), -1);
  ShutDown();
}

TEST_F(StartUpTest, RestoredPicturesShowTheirFilesAgainWithTheirKeys) {
  ASSERT_EQ(StartUp(), 1);
  const auto original = pictures::people->pixels;
  std::fill(pictures::people->pixels.begin(), pictures::people->pixels.end(), 0);
  RestoreAllPictures();
  EXPECT_EQ(pictures::people->pixels, original);
  EXPECT_TRUE(pictures::people->colourKey.has_value());
}

}  // namespace
