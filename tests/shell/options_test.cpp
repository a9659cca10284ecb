// The command line.
#include <gtest/gtest.h>

#include <vector>

#include "shell/options.h"

namespace {

std::optional<Options> Parse(std::vector<const char*> args, std::string* error = nullptr) {
  std::string scratch;
  args.insert(args.begin(), "pimquest");
  return ParseOptions(static_cast<int>(args.size()), args.data(), error ? error : &scratch);
}

TEST(Options, NoOptionsPlaysInAWindow) {
  const auto o = Parse({});
  ASSERT_TRUE(o);
  EXPECT_FALSE(o->headless);
  EXPECT_FALSE(o->fullscreen);
  EXPECT_EQ(o->scale, 0);
}

TEST(Options, ScriptedRunsTakeTheirValues) {
  const auto o = Parse({"--headless", "--script", "s.txt", "--trace", "t.jsonl", "--shot",
                        "1500:a.bmp", "--shot", "0:b.bmp", "--until", "60000", "--data", "/d"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->script, "s.txt");
  EXPECT_EQ(o->trace, "t.jsonl");
  ASSERT_EQ(o->shots.size(), 2u);
  EXPECT_EQ(o->shots[0].first, 1500u);
  EXPECT_EQ(o->shots[0].second, "a.bmp");
  EXPECT_EQ(o->until, 60000u);
  EXPECT_EQ(o->dataDir, "/d");
}

TEST(Options, RecordingOverAFileNeedsForce) {
  EXPECT_FALSE(Parse({"--record", "d.demo"})->force);
  EXPECT_TRUE(Parse({"--record", "d.demo", "--force"})->force);
  // A shot at the very end is still taken.
  EXPECT_TRUE(Parse({"--headless", "--until", "500", "--shot", "500:a.bmp"}));
}

TEST(Options, WindowOptions) {
  const auto o = Parse({"--fullscreen", "--scale", "3", "--mute"});
  ASSERT_TRUE(o);
  EXPECT_TRUE(o->fullscreen && o->mute);
  EXPECT_EQ(o->scale, 3);
  EXPECT_FALSE(Parse({"--fullscreen", "--window"})->fullscreen);
}

TEST(Options, BadOptionsAndValuesAreRefusedWithAReason) {
  std::string error;
  for (std::vector<const char*> bad : {std::vector<const char*>{"--bogus"},
                                       {"--scale"},
                                       {"--scale", "0"},
                                       {"--scale", "x"},
                                       {"--headless", "--shot", "12"},
                                       {"--headless", "--shot", "x:a.bmp"},
                                       {"--headless", "--until", "-4"},
                                       {"--script", "s.txt"},
                                       {"--headless", "--until", "500", "--shot", "501:a.bmp"},
                                       {"--data"}}) {
    EXPECT_FALSE(Parse(bad, &error)) << bad[0];
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace

namespace {

TEST(Options, DemosGoWithEitherHostButNotWithAScriptOrEachOther) {
  auto o = Parse({"--replay", "a.demo", "--trace-presents"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->replay, "a.demo");
  EXPECT_TRUE(o->tracePresents);
  o = Parse({"--headless", "--script", "s.txt", "--record", "b.demo"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->record, "b.demo");
  std::string error;
  EXPECT_FALSE(Parse({"--headless", "--script", "s.txt", "--replay", "a.demo"}, &error));
  EXPECT_NE(error.find("--replay"), std::string::npos) << error;
  EXPECT_FALSE(Parse({"--record", "b.demo", "--replay", "a.demo"}, &error));
  EXPECT_FALSE(Parse({"--record"}, &error));
}

}  // namespace
