// The frame dispatch, music, Escape, minimising and shutting down.
#include <gtest/gtest.h>

#include "platform/display.h"
#include "platform/host_link.h"
#include "platform/sound.h"
#include "shell/main_loop.h"
#include "state/assets.h"
#include "state/game_state.h"
#include "state/player.h"
#include "support/headless_game.h"
#include "world/map_entry.h"

namespace {

// The start picture waits for A; then the first frame is on the world map.
constexpr const char* kStartGame = "0 S\n5000\n";

TEST(MainLoop, TheFirstFrameRunsTheTitleAndTheFirstWorldMapFrame) {
  HeadlessGame game(kStartGame);
  ASSERT_EQ(GameState, Title);
  RunFrame();
  EXPECT_EQ(GameState, WorldMap);
  const auto trace = game.TakeTrace();
  // The new game, the world map and its music all came in that one frame
  // (the start picture played the world music too: look at the last play).
  auto at = [&](const std::string& needle) {
    for (int i = static_cast<int>(trace.size()) - 1; i >= 0; --i) {
      if (trace[i].find(needle) != std::string::npos) return i;
    }
    return -1;
  };
  EXPECT_LT(at("\"ev\":\"state\",\"to\":1"), at("\"name\":\"world\",\"loop\":1"));
  EXPECT_GE(at("\"ev\":\"player\",\"level\":1"), 0);
  EXPECT_EQ(Player.gold, 20);
  EXPECT_EQ(SlotStatus(sounds::world), kSoundPlaying | kSoundLooping);
}

TEST(MainLoop, MusicStartsAgainAfterEverythingWasStopped) {
  HeadlessGame game(kStartGame);
  RunFrame();
  RunFrame();
  game.TakeTrace();
  RunFrame();  // still looping: not started again
  EXPECT_TRUE(game.TakeEvents("sound").empty());
  StopAllSlots();
  game.TakeTrace();
  RunFrame();
  const auto sounds = game.TakeEvents("sound");
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_NE(sounds[0].find("\"op\":\"play\",\"name\":\"world\",\"loop\":1"), std::string::npos);
}

// Each walking place loops its own music from its first frame, and only that.
TEST(MainLoop, EachPlaceLoopsItsOwnMusic) {
  const struct {
    void (*enter)();
    std::int32_t state;
    const SoundId* music;
  } places[] = {{EnterVillage, Village, &sounds::village},
                {EnterCastle, Castle, &sounds::castle},
                {EnterDemonCastle, DemonCastle, &sounds::castle2},
                {EnterWorldMap, WorldMap, &sounds::world}};
  HeadlessGame game(kStartGame);
  RunFrame();
  for (const auto& p : places) {
    StopAllSlots();
    p.enter();
    SetGameState(p.state);
    RunFrame();
    for (const SoundId* music :
         {&sounds::world, &sounds::village, &sounds::castle, &sounds::castle2}) {
      EXPECT_EQ(SlotStatus(*music) == (kSoundPlaying | kSoundLooping), music == p.music)
          << p.state << " " << *music;
    }
  }
}

TEST(MainLoop, EachFrameLastsAtLeastTenMilliseconds) {
  HeadlessGame game(kStartGame);
  RunFrame();
  const std::uint32_t before = game.Now();
  RunFrame();
  EXPECT_GE(game.Now() - before, 10u);
}

TEST(MainLoop, HeldEscapeQuitsInOrderAfterItsFrame) {
  HeadlessGame game("0 S\n5000\n8000 Esc\n");
  EXPECT_EQ(RunGame(), 0);
  const auto trace = game.TakeTrace();
  ASSERT_FALSE(trace.empty());
  EXPECT_NE(trace.back().find("\"ev\":\"quit\",\"code\":0"), std::string::npos);
  // It quit at the first frame that saw Escape, not later.
  EXPECT_LT(game.Now(), 8000u + 40u);
  EXPECT_EQ(FrontSurface, nullptr);  // shut down
  EXPECT_FALSE(pictures::people);
}

TEST(MainLoop, ClosingTheWindowUnwindsFromInsideAnyLoop) {
  // The start picture waits for a key that never comes.
  HeadlessGame game("0\n");
  game.host().SetQuitAt(5000);
  EXPECT_EQ(RunGame(), 0);
  EXPECT_EQ(GameState, Title);
  EXPECT_EQ(SlotStatus(sounds::world), -1);  // sounds released
}

// A window that is minimised at once and restored later.
class MinimisedHost : public HeadlessHost {
 public:
  using HeadlessHost::HeadlessHost;
  HostEvent PollEvent() override {
    if (step_ == 0) return ++step_, HostEvent::Minimised;
    return QuitRequested() ? HostEvent::Quit : HostEvent::None;
  }
  void WaitForEvent() override {
    ++waits;
    if (waits == 3) RequestQuit();
    HeadlessHost::WaitForEvent();
  }
  int waits = 0;

 private:
  int step_ = 0;
};

TEST(MainLoop, AMinimisedWindowRunsNoFrames) {
  HeadlessGame game;  // for the assets
  MinimisedHost host;
  AttachHost(&host);
  windowActive = 1;
  RunGame();
  EXPECT_EQ(host.waits, 3);
  EXPECT_EQ(host.Presents(), 0);
  AttachHost(&game.host());
}

}  // namespace
