// One frame of the world map: the hero walks alone, every attempted step may
// meet a monster, and the pictures of the three places lead into them.
#include <cstdint>

#include "battle/battle.h"
#include "battle/end_screens.h"
#include "platform/display.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "state/assets.h"
#include "state/game_state.h"
#include "state/music.h"
#include "world/actor.h"
#include "world/camera.h"
#include "world/direction.h"
#include "world/hero_controls.h"
#include "world/map_drawing.h"
#include "world/map_entry.h"
#include "world/scenes.h"
#include "world/tile_lists.h"
#include "world/tile_map.h"
#include "world/walking.h"

namespace {

// A battle on the way to `code`: the monster by the next draw, the tile code
// choosing the battle's background. The world music starts over afterwards.
void FightOn(std::uint8_t code) {
  const std::int32_t kind = Rand() % 2 + 1;  // 1 Dragonfly, 2 Devil Stone
  StopAllSlots();
  if (RunBattle(kind, code) == 0) ShowEndScreen();  // game over: back to the title
  KeepMusicLooping(sounds::world);
}

// The standing hero tries a step in requestedDirection. Every attempt inside
// the map rolls for a battle, also one against a mountain or the sea; a
// battle costs the step.
void TryWorldStep(Actor& hero) {
  const Cell target = StepTarget(hero, requestedDirection);
  if (requestedDirection == None || !InsideMap(worldMap, target.x, target.y)) return;
  const std::uint8_t code = CodeAt(worldMap, target.x, target.y);

  // Monsters lurk twice as often in the forest.
  const int roll = IsTileInList(code, worldCoverTiles) ? Rand() % 5 : Rand() % 10;
  if (roll == 0) FightOn(code);

  const bool walkable = PassesTerrain(hero, code, worldWalkable, worldSecondary);
  if (walkable && roll != 0) {
    StartStep(hero, requestedDirection, target);
    AdvanceActor(hero);
  }
}

// The place whose picture is under the hero's middle, entered about halfway
// through the step onto it.
void EnterPlaceUnder(std::int32_t under) {
  if (under < 0) return;
  const auto code = static_cast<std::uint8_t>(under);
  if (IsTileInList(code, villageEntrance)) {
    lastMapLeft = 1;
    EnterVillage();
    SetGameState(Village);
  } else if (IsTileInList(code, castleEntrance)) {
    lastMapLeft = 1;
    EnterCastle();
    SetGameState(Castle);
  } else if (IsTileInList(code, demonCastleEntrance)) {
    lastMapLeft = 1;
    EnterDemonCastle();
    SetGameState(DemonCastle);
  }
}

}  // namespace

void WorldMapScene() {
  Actor& hero = actors[0];
  if (hero.stepLeft != 0 || hero.pause != 0) {
    AdvanceActor(hero);
  } else {
    TryWorldStep(hero);
  }

  FollowHero(worldMap);
  DrawTileMap(worldMap, pictures::world.get(), camera);

  // The picture is prepared before a place is entered, so the frame that
  // enters draws this frame's walking picture at the new place's start.
  const ActorPicture picture = PrepareActorPicture(hero, worldMap, worldCoverTiles);
  EnterPlaceUnder(picture.under);
  DrawActorPicture(picture, hero.x, hero.y, camera);
  PresentFrame();
}
