// Files the hosts write and the quit signals: screenshots never replace a
// file or follow a link, a demo takes its place only once complete, and
// SIGTERM or Ctrl+C end a headless run in order however often they come.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "host/bmp_writer.h"
#include "host/demo_format.h"
#include "host/headless_host.h"
#include "host/quit_signal.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class WrittenFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("pq_written_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    previous_ = fs::current_path();
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }
  ScreenView Picture() { return {pixels_.data(), 640, 480}; }

  fs::path dir_, previous_;
  std::vector<std::uint16_t> pixels_ = std::vector<std::uint16_t>(640 * 480, 0x7FFF);
};

TEST_F(WrittenFiles, NumberedScreenshotsSkipFilesAndLinksAndSayWhenNoNameIsFree) {
  std::ofstream("pimquest-001.bmp") << "mine";
  fs::create_symlink(dir_ / "elsewhere.bmp", "pimquest-002.bmp");  // dangling
  std::string error;
  EXPECT_EQ(WriteNumberedScreenshot(Picture(), &error), "pimquest-003.bmp") << error;
  EXPECT_EQ(Read("pimquest-001.bmp"), "mine");
  EXPECT_FALSE(fs::exists(dir_ / "elsewhere.bmp")) << "written through the link";
  EXPECT_EQ(fs::file_size("pimquest-003.bmp"), 54u + 640 * 480 * 3);

  for (int n = 4; n < 10000; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "pimquest-%03d.bmp", n);
    std::ofstream{name};
  }
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
  EXPECT_EQ(Read("old.demo"), "keep me");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1)
      << "a temporary file was left behind";

  for (const bool replace : {false, true}) {
    const std::string name = replace ? "old.demo" : "new.demo";
    DemoWriter writer;
    ASSERT_TRUE(writer.Open(name, "1.0.0", replace, &error)) << error;
    writer.AddKeyboard(KeySnapshot{});
    EXPECT_EQ(Read(name), replace ? "keep me" : "") << "in place before it is complete";
    ASSERT_TRUE(writer.Finish(&error)) << error;
    EXPECT_TRUE(LoadDemo(name, &error)) << error;
  }
  // Not even --force puts a demo in place of a device, a pipe or a folder.
  ASSERT_EQ(::mkfifo("pipe.demo", 0644), 0);
  fs::create_directory("folder.demo");
  for (const char* name : {"/dev/null", "pipe.demo", "folder.demo"}) {
    DemoWriter writer;
    EXPECT_FALSE(writer.Open(name, "1.0.0", true, &error)) << name;
    EXPECT_NE(error.find(name), std::string::npos) << error;
  }
  EXPECT_TRUE(fs::is_fifo("pipe.demo"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(QuitSignals, EndAHeadlessRunInOrderAndASecondOneDoesNotKill) {
  CatchQuitSignals();
  for (const int sig : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(sig);
    HeadlessHost host;
    EXPECT_EQ(host.PollEvent(), HostEvent::Activated);
    EXPECT_NO_THROW(host.Sleep(10));
    std::raise(sig);
    std::raise(sig);  // the handler stays: still alive here
    EXPECT_TRUE(host.QuitRequested());
    EXPECT_THROW(host.Sleep(10), QuitRequest);
    EXPECT_THROW(host.ReadKeyboard(), QuitRequest);
    EXPECT_EQ(host.PollEvent(), HostEvent::Quit);
    ForgetQuitSignal();
  }
}

}  // namespace
