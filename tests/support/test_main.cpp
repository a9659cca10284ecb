// The tests' main: every test starts from the state the process starts in,
// whatever the tests before it did, so each test binary passes run directly,
// with any filter and in any order. The platform's values: the draw, the
// controls, the frame clock, the trace, the sound table, the host and the
// data folders; in the game's suites also the game's: state, hero, monsters,
// figures, scenes, battle, the text line, and the pictures and sounds.
#include "support/test_main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "platform/clock.h"
#include "platform/data_files.h"
#include "platform/host_link.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/trace.h"
#ifdef PQ_FRESH_GAME
#include <cstring>

#include "battle/battle_values.h"
#include "dialogue/message_box.h"
#include "shell/main_loop.h"
#include "state/assets.h"
#include "state/game_state.h"
#include "state/player.h"
#include "world/actor.h"
#include "world/camera.h"
#include "world/demon_castle_scene.h"
#include "world/direction.h"
#include "world/hero_controls.h"
#include "world/town_scene.h"
#endif

namespace {

#ifdef PQ_FRESH_GAME
void ResetGameState() {
  // Releases the pictures and the sounds (their handles back to -1); the
  // sound device is closed only through a host that is still attached.
  if (HasHost()) ShutDown();
  GameState = Title;
  windowActive = 0;
  Player = {};
  dragonflyStats = devilStoneStats = elmoStats = {};
  ForgetTracedPlayer();
  for (Actor& figure : actors) figure = {};
  lastMapLeft = 0;
  requestedDirection = Up;
  camera = {0, 0};
  pendingTalk = 0;
  cellAnimCountdown = elmoCountdown = 20;
  cellAnimFrame = elmoFrame = 0;
  currentMonster = {};
  cursorRow = heroActing = enemyTurn = heroFrame = monsterFrame = monsterFrameCount = 0;
  monsterX = monsterY = heroX = heroY = 0;
  monsterHitPending = heroHitPending = monsterDefeated = lastDamage = 0;
  std::memset(lineBuffer, 0, sizeof lineBuffer);
}
#endif

void ResetPlatformState() {
  // A test that left the sound device open still has its host attached.
  if (HasHost()) ShutdownSound();
  AttachHost(nullptr);
  SetRandState(1);
  std::fill(std::begin(keyState), std::end(keyState), std::uint8_t{0});
  gamepadState = {};
  ReleaseGamepad();
  ReleaseKeyboard();
  ReleaseInput();
  frameStartTick = 0;
  CloseTrace();
  SetDataFolders({"."});
}

}  // namespace

void ResetToProcessStart() {
#ifdef PQ_FRESH_GAME
  ResetGameState();
#endif
  ResetPlatformState();
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  struct FreshProcess : testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { ResetToProcessStart(); }
  };
  testing::UnitTest::GetInstance()->listeners().Append(new FreshProcess);
  return RUN_ALL_TESTS();
}
