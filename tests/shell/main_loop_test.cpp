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
#include "support/trace_reader.h"
#include "world/map_entry.h"

namespace {

// The start picture waits for A; then the first frame is on the world map.
constexpr const char* kStartGame = "0 S\n5000\n";

// The new game, the world map and its music all come in the first frame (the
// start picture played the world music too: the last play counts); a frame
// lasts at least 10 ms. Each walking place loops its own music from its first
// frame, and only that; a loop still playing is not started again, one
// stopped is.
TEST(MainLoop, TheFirstFrameStartsTheGameAndEachPlaceLoopsItsOwnMusic) {
  HeadlessGame game(kStartGame);
  ASSERT_EQ(GameState, Title);
  RunFrame();
  EXPECT_EQ(GameState, WorldMap);
  const auto trace = game.TakeTrace();
  auto last = [&](const std::string& needle) {
    for (std::size_t i = trace.size(); i-- > 0;) {
      if (Has(trace[i], needle)) return static_cast<int>(i);
    }
    return -1;
  };
  EXPECT_GE(last("\"ev\":\"state\",\"to\":1"), 0);
  EXPECT_LT(last("\"ev\":\"state\",\"to\":1"), last("\"name\":\"world\",\"loop\":1"));
  EXPECT_GE(last("\"ev\":\"player\",\"level\":1"), 0);
  EXPECT_EQ(Player.gold, 20);
  EXPECT_EQ(SlotStatus(sounds::world), kSoundPlaying | kSoundLooping);
  const std::uint32_t before = game.Now();
  RunFrame();
  EXPECT_GE(game.Now() - before, 10u);
  game.TakeTrace();
  RunFrame();
  EXPECT_TRUE(game.TakeEvents("sound").empty());

  const struct {
    void (*enter)();
    std::int32_t state;
    const SoundId* music;
  } places[] = {{EnterVillage, Village, &sounds::village},
                {EnterCastle, Castle, &sounds::castle},
                {EnterDemonCastle, DemonCastle, &sounds::castle2},
                {EnterWorldMap, WorldMap, &sounds::world}};
  for (const auto& p : places) {
    StopAllSlots();
    p.enter();
    SetGameState(p.state);
    game.TakeTrace();
    RunFrame();
    const auto sounds = game.TakeEvents("sound");
    ASSERT_EQ(sounds.size(), 1u) << p.state;
    EXPECT_TRUE(Has(sounds[0], "\"op\":\"play\"") && Num(sounds[0], "loop") == 1) << sounds[0];
    for (const SoundId* music :
         {&sounds::world, &sounds::village, &sounds::castle, &sounds::castle2}) {
      EXPECT_EQ(SlotStatus(*music) == (kSoundPlaying | kSoundLooping), music == p.music)
          << p.state << " " << *music;
    }
  }
}

// Escape quits at the first frame that sees it, in order and shut down;
// closing the window unwinds from inside any loop (here the start picture's
// wait for a key that never comes).
TEST(MainLoop, HeldEscapeQuitsInOrderAfterItsFrameAndClosingUnwindsAnyLoop) {
  {
    HeadlessGame game("0 S\n5000\n8000 Esc\n");
    EXPECT_EQ(RunGame(), 0);
    const auto trace = game.TakeTrace();
    ASSERT_FALSE(trace.empty());
    EXPECT_TRUE(Has(trace.back(), "\"ev\":\"quit\",\"code\":0"));
    EXPECT_LT(game.Now(), 8000u + 40u);
    EXPECT_EQ(FrontSurface, nullptr);
    EXPECT_FALSE(pictures::people);
  }
  HeadlessGame game("0\n");
  game.host().SetQuitAt(5000);
  EXPECT_EQ(RunGame(), 0);
  EXPECT_EQ(GameState, Title);
  EXPECT_EQ(SlotStatus(sounds::world), -1);  // sounds released
}

// A window that is minimised at once and restored later runs no frames.
TEST(MainLoop, AMinimisedWindowRunsNoFrames) {
  struct MinimisedHost : HeadlessHost {
    HostEvent PollEvent() override {
      if (!told) return told = true, HostEvent::Minimised;
      return QuitRequested() ? HostEvent::Quit : HostEvent::None;
    }
    void WaitForEvent() override {
      if (++waits == 3) RequestQuit();
      HeadlessHost::WaitForEvent();
    }
    bool told = false;
    int waits = 0;
  };
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
