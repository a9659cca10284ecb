// The command line.
#include "shell/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::optional<Options> Parse(std::vector<const char*> args, std::string* error = nullptr) {
  std::string scratch;
  args.insert(args.begin(), "pimquest");
  return ParseOptions(static_cast<int>(args.size()), args.data(), error ? error : &scratch);
}

TEST(Options, EachOptionTakesItsValue) {
  auto o = Parse({});
  ASSERT_TRUE(o);
  EXPECT_FALSE(o->headless || o->fullscreen || o->mute || o->force);
  EXPECT_EQ(o->scale, 0);
  o = Parse({"--headless", "--script", "s.txt", "--trace", "t.jsonl", "--shot", "1500:a.bmp",
             "--shot", "0:b.bmp", "--until", "60000", "--data", "/d", "--record", "b.demo"});
  ASSERT_TRUE(o);
  EXPECT_TRUE(o->headless);
  EXPECT_EQ(o->script, "s.txt");
  EXPECT_EQ(o->trace, "t.jsonl");
  EXPECT_EQ(o->shots, (decltype(o->shots){{1500, "a.bmp"}, {0, "b.bmp"}}));
  EXPECT_EQ(o->until, 60000u);
  EXPECT_EQ(o->dataDir, "/d");
  EXPECT_EQ(o->record, "b.demo");
  o = Parse({"--fullscreen", "--scale", "8", "--mute", "--replay", "a.demo", "--trace-presents"});
  ASSERT_TRUE(o);
  EXPECT_TRUE(o->fullscreen && o->mute && o->tracePresents);
  EXPECT_EQ(o->scale, 8);  // the largest
  EXPECT_EQ(o->replay, "a.demo");
  EXPECT_FALSE(Parse({"--fullscreen", "--window"})->fullscreen);
  EXPECT_TRUE(Parse({"--record", "d.demo", "--force"})->force);
  EXPECT_TRUE(Parse({"--headless", "--until", "500", "--shot", "500:a.bmp"}));  // at the very end
}

// A shot after the end, a script without --headless, a replay with a script
// or with a recording: each refused with a reason.
TEST(Options, BadOptionsAndValuesAreRefusedWithAReason) {
  for (std::vector<const char*> bad : {std::vector<const char*>{"--bogus"},
                                       {"--scale"},
                                       {"--scale", "0"},
                                       {"--scale", "9"},
                                       {"--scale", "x"},
                                       {"--headless", "--shot", "12"},
                                       {"--headless", "--shot", "x:a.bmp"},
                                       {"--headless", "--until", "-4"},
                                       {"--script", "s.txt"},
                                       {"--headless", "--until", "500", "--shot", "501:a.bmp"},
                                       {"--data"},
                                       {"--record"},
                                       {"--headless", "--script", "s.txt", "--replay", "a.demo"},
                                       {"--record", "b.demo", "--replay", "a.demo"}}) {
    std::string error;
    EXPECT_FALSE(Parse(bad, &error)) << bad[0];
    EXPECT_FALSE(error.empty()) << bad[0];
  }
}

}  // namespace
