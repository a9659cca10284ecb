#include <cstring>

#include "battle/battle_values.h"
#include "dialogue/message_box.h"
#include "platform/host_link.h"
#include "state/assets.h"
#include "state/game_state.h"
#include "state/player.h"
#include "support/fresh_process.h"
#include "world/actor.h"
#include "world/camera.h"
#include "world/demon_castle_scene.h"
#include "world/direction.h"
#include "world/hero_controls.h"
#include "world/town_scene.h"

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
