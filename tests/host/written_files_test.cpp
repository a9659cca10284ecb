// Files the hosts write: screenshots never replace a file or follow a link,
// and a demo takes its place only once complete.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "host/bmp_writer.h"
#include "host/demo_format.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

class WrittenFiles : public ::testing::Test {
 protected:
  ScreenView Picture() { return {pixels_.data(), 640, 480}; }

  ScratchDir dir_{"pq_written"};
  std::vector<std::uint16_t> pixels_ = std::vector<std::uint16_t>(640 * 480, 0x7FFF);
};

TEST_F(WrittenFiles, NumberedScreenshotsSkipFilesAndLinksAndSayWhenNoNameIsFree) {
  std::ofstream("pimquest-001.bmp") << "mine";
  fs::create_symlink(dir_.path / "elsewhere.bmp", "pimquest-002.bmp");  // dangling
  std::string error;
  EXPECT_EQ(WriteNumberedScreenshot(Picture(), &error), "pimquest-003.bmp") << error;
  EXPECT_EQ(ReadFile("pimquest-001.bmp"), "mine");
  EXPECT_FALSE(fs::exists(dir_.path / "elsewhere.bmp")) << "written through the link";
  EXPECT_EQ(fs::file_size("pimquest-003.bmp"), 54u + 640 * 480 * 3);

  for (int n = 4; n < 9999; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "pimquest-%03d.bmp", n);
    std::ofstream{name};
  }
  EXPECT_EQ(WriteNumberedScreenshot(Picture(), &error), "pimquest-9999.bmp") << error;
  EXPECT_EQ(WriteNumberedScreenshot(Picture(), &error), "");
  EXPECT_NE(error.find("9999"), std::string::npos) << error;

  // A shot at a set name reports a failed write with the name and why.
  EXPECT_FALSE(WriteScreenshot("/dev/full", Picture(), &error));
  EXPECT_NE(error.find("/dev/full"), std::string::npos) << error;
}

TEST_F(WrittenFiles, ADemoTakesItsPlaceOnlyWhenCompleteAndReplacesOnlyWhenAllowed) {
  std::ofstream("old.demo") << "keep me";
  std::string error;
  {
    DemoWriter refused;
    EXPECT_FALSE(refused.Open("old.demo", "1.0.0", false, &error));
    EXPECT_NE(error.find("old.demo"), std::string::npos) << error;
  }
  {
    DemoWriter unfinished;  // a start-up that fails never finishes its demo
    ASSERT_TRUE(unfinished.Open("old.demo", "1.0.0", true, &error)) << error;
    unfinished.AddEscape(false);
  }
  EXPECT_EQ(ReadFile("old.demo"), "keep me");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path), fs::directory_iterator{}), 1)
      << "a temporary file was left behind";

  for (const bool replace : {false, true}) {
    const std::string name = replace ? "old.demo" : "new.demo";
    DemoWriter writer;
    ASSERT_TRUE(writer.Open(name, "1.0.0", replace, &error)) << error;
    writer.AddKeyboard(KeySnapshot{});
    EXPECT_EQ(ReadFile(name), replace ? "keep me" : "") << "in place before it is complete";
    ASSERT_TRUE(writer.Finish(&error)) << error;
    EXPECT_TRUE(LoadDemo(name, &error)) << error;
  }
  // Not even --force puts a demo in place of a device, a pipe or a folder,
  // and one that cannot be written at all says where.
  ASSERT_EQ(::mkfifo("pipe.demo", 0644), 0);
  fs::create_directory("folder.demo");
  for (const char* name : {"/dev/null", "pipe.demo", "folder.demo", "/nonexistent-folder/x.demo"}) {
    DemoWriter writer;
    EXPECT_FALSE(writer.Open(name, "1.0.0", true, &error)) << name;
    EXPECT_NE(error.find(name), std::string::npos) << error;
  }
  EXPECT_TRUE(fs::is_fifo("pipe.demo"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

}  // namespace
