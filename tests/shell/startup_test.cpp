// Start-up with every file, and with each kind of missing file.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/headless_host.h"
#include "platform/data_files.h"
#include "platform/display.h"
#include "platform/host_link.h"
#include "platform/sound.h"
#include "state/assets.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

class StartUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(fs::path(PQ_ASSET_DIR) / "bmp", dir / "bmp");
    fs::copy(fs::path(PQ_ASSET_DIR) / "wav", dir / "wav");
    SetDataFolders({dir});
    AttachHost(&host);
  }
  void TearDown() override {
    ShutDown();
    AttachHost(nullptr);
  }
  // StartUp's answer and what it said on stderr.
  std::pair<int, std::string> Start() {
    testing::internal::CaptureStderr();
    const int ok = StartUp();
    return {ok, testing::internal::GetCapturedStderr()};
  }
  const ScratchDir scratch{"pq-startup"};
  const fs::path& dir = scratch.path;
  HeadlessHost host;
};

// Every sound in its slot, the colour keys on the sprites only; pictures
// restored after a lost surface show their files again with their keys;
// shutting down releases everything and may run twice.
TEST_F(StartUpTest, EverythingLoadsIntoItsSlotIsRestoredAndIsReleased) {
  ASSERT_EQ(StartUp(), 1);
  const SoundId ids[] = {sounds::intro,    sounds::button,    sounds::button2, sounds::getitem,
                         sounds::gameover, sounds::gameover2, sounds::world,   sounds::castle2,
                         sounds::battle,   sounds::bbattle,   sounds::g_arm,   sounds::hp,
                         sounds::pattack,  sounds::eattack,   sounds::castle,  sounds::village};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(ids[i], i);
  EXPECT_TRUE(pictures::people->colourKey && pictures::pbattle->colourKey);
  EXPECT_FALSE(pictures::world->colourKey);
  EXPECT_EQ(pictures::start->width * pictures::start->height, 640 * 480);
  const auto original = pictures::people->pixels;
  std::fill(pictures::people->pixels.begin(), pictures::people->pixels.end(), 0);
  RestoreAllPictures();
  EXPECT_EQ(pictures::people->pixels, original);
  EXPECT_TRUE(pictures::people->colourKey.has_value());
  ShutDown();
  EXPECT_FALSE(pictures::Village || pictures::end);
  EXPECT_EQ(FrontSurface, nullptr);
  EXPECT_EQ(SlotStatus(0), -1);
}

// A picture that is missing or cut short stops start-up by name; the ones
// before it are loaded, the later ones (and the keys, set after all twelve,
// and the sounds) are not.
TEST_F(StartUpTest, ABadPictureStopsStartUpByNameBeforeTheRest) {
  fs::remove(dir / "bmp" / "castle.bmp");
  auto [ok, said] = Start();
  EXPECT_EQ(ok, 0);
  EXPECT_NE(said.find("castle.bmp"), std::string::npos) << said;
  EXPECT_TRUE(pictures::Village && pictures::people && pictures::world);
  EXPECT_FALSE(pictures::castle || pictures::castle2 || pictures::start);
  EXPECT_FALSE(pictures::people->colourKey.has_value());
  EXPECT_EQ(sounds::intro, -1);
  ShutDown();

  fs::copy(fs::path(PQ_ASSET_DIR) / "bmp" / "castle.bmp", dir / "bmp" / "castle.bmp");
  fs::remove(dir / "bmp" / "end.bmp");
  EXPECT_EQ(Start().first, 0);
  EXPECT_TRUE(pictures::pbattle);
  EXPECT_FALSE(pictures::end || pictures::battle3 || pictures::over || pictures::start);
  ShutDown();

  fs::resize_file(dir / "bmp" / "people.bmp", 100);
  std::tie(ok, said) = Start();
  EXPECT_EQ(ok, 0);
  EXPECT_NE(said.find("people.bmp"), std::string::npos) << said;
  EXPECT_FALSE(pictures::people);
}

TEST_F(StartUpTest, AMissingSoundSilencesItAloneAndTheLaterOnesStillLoad) {
  fs::remove(dir / "wav" / "battle.wav");
  const auto [ok, said] = Start();
  EXPECT_EQ(ok, 1);
  EXPECT_NE(said.find("battle.wav"), std::string::npos) << said;
  EXPECT_EQ(sounds::castle2, 7);
  EXPECT_EQ(sounds::battle, -1);
  EXPECT_EQ(sounds::bbattle, 8);
  EXPECT_EQ(sounds::village, 14);
  PlaySlot(sounds::battle, kPlayLooped);  // plays nothing, harmlessly
  for (SoundId id = 0; id < kSoundSlots; ++id) EXPECT_LE(SlotStatus(id), 0) << id;
}

}  // namespace
