// One frame of Elmo's castle: the hero walks up the corridor alone; asking to
// step into row 5 brings him before Elmo. There is no way back out.
#include "world/demon_castle_scene.h"

#include "battle/end_screens.h"
#include "platform/display.h"
#include "state/assets.h"
#include "world/actor.h"
#include "world/camera.h"
#include "world/direction.h"
#include "world/hero_controls.h"
#include "world/map_drawing.h"
#include "world/scenes.h"
#include "world/tile_lists.h"
#include "world/tile_map.h"
#include "world/walking.h"

std::int32_t cellAnimCountdown = 20;
std::int32_t cellAnimFrame = 0;
std::int32_t elmoCountdown = 20;
std::int32_t elmoFrame = 0;

namespace {

constexpr std::uint8_t kFlameCode = 1;
constexpr std::int32_t kElmoRow = 5;

// The flames count down once per flame drawn, not once per frame, so they
// flicker faster when more of them are on the screen. Their four pictures are
// the squares of codes 1, 3, 1 and 4.
Rect FlameOrTile(std::uint8_t code) {
  if (code != kFlameCode) return TileSquare(code);
  if (cellAnimCountdown > 0) {
    --cellAnimCountdown;
  } else {
    cellAnimCountdown = 20;
    cellAnimFrame = (cellAnimFrame + 1) % 4;
  }
  constexpr std::int32_t kFlameLeft[4] = {32, 96, 32, 128};
  const std::int32_t left = kFlameLeft[cellAnimFrame];
  return Rect{left, 0, left + kCellPixels, kCellPixels};
}

void UpdateHero(Actor& hero) {
  if (hero.stepLeft != 0 || hero.pause != 0) {
    AdvanceActor(hero);
    return;
  }
  const Cell target = StepTarget(hero, requestedDirection);
  // Before anything else: from anywhere on row 6, even below the walls
  // beside the corridor, asking to go up meets Elmo. The rest of the update
  // no longer matters afterwards, as the game leaves this place.
  if (target.y == kElmoRow) FinalConfrontation();

  if (requestedDirection == None || !InsideMap(demonCastleMap, target.x, target.y)) return;
  if (PassesTerrain(hero, CodeAt(demonCastleMap, target.x, target.y), demonCastleWalkable,
                    nullptr)) {
    StartStep(hero, requestedDirection, target);
    AdvanceActor(hero);
  }
}

// Elmo switches between his two pictures every 21 frames.
void DrawElmo() {
  if (elmoCountdown > 0) {
    --elmoCountdown;
  } else {
    elmoCountdown = 20;
    elmoFrame = elmoFrame == 0 ? 1 : 0;
  }
  const Actor& elmo = actors[kElmoSlot];
  const std::int32_t top = elmoFrame == 0 ? 1280 : 1344;
  Rect source{0, top, 64, top + 64};
  BlitClipped(BackBuffer, elmo.x / 2 - camera.x, elmo.y / 2 - camera.y - 3, pictures::people.get(),
              source, kCopyKeyed);
}

}  // namespace

void DemonCastleScene() {
  Actor& hero = actors[0];
  UpdateHero(hero);

  FollowHero(demonCastleMap);
  DrawTileMap(demonCastleMap, pictures::castle2.get(), camera, FlameOrTile);
  DrawElmo();
  DrawActor(hero, camera, demonCastleMap, nullptr);
  PresentFrame();
}
