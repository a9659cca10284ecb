#include "world/town_scene.h"

#include "dialogue/conversation.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/random.h"
#include "state/game_state.h"
#include "world/actor.h"
#include "world/camera.h"
#include "world/direction.h"
#include "world/hero_controls.h"
#include "world/map_drawing.h"
#include "world/map_entry.h"
#include "world/tile_lists.h"
#include "world/walking.h"

std::int32_t pendingTalk = 0;

namespace {

bool StandsAt(const Actor& figure, Cell cell) {
  return figure.tileX == cell.x && figure.tileY == cell.y;
}

bool TalkButtonDown() {
  return PadButtonDown(1) || KeyDown(DIK_A);
}

// The slot whose figure is in the way, or -1 when the target is free. A
// counter is in the way of everybody and counts as the hero's own cell.
int SlotInTheWay(const Town& town, const Actor& mover, Cell target) {
  if (town.counters != nullptr &&
      IsTileInList(CodeAt(*town.map, target.x, target.y), town.counters)) {
    return 0;
  }
  for (const int slot : town.slots) {
    const Actor& other = actors[slot];
    if (StandsAt(other, target) && (other.terrain & mover.terrain) != 0) return slot;
  }
  return -1;
}

// The hero pushes towards `target` with the talk button down. Across a
// counter he reaches whoever stands right behind it, and they turn to him.
void ChooseListener(const Town& town, Cell target) {
  if (town.counters != nullptr &&
      IsTileInList(CodeAt(*town.map, target.x, target.y), town.counters)) {
    const Cell behind{target.x, target.y - 1};
    for (const int slot : town.counterKeepers) {
      if (StandsAt(actors[slot], behind)) {
        actors[slot].facing = Down;
        pendingTalk = slot;
        return;
      }
    }
    return;
  }
  for (const int slot : town.talkers) {
    if (StandsAt(actors[slot], target)) {
      pendingTalk = slot;
      return;
    }
  }
}

void LeaveTown(const Town& town) {
  lastMapLeft = town.leftMark;
  EnterWorldMap();
  SetGameState(WorldMap);
}

}  // namespace

void UpdateTownFigure(const Town& town, int slot) {
  Actor& figure = actors[slot];
  if (figure.stepLeft != 0 || figure.pause != 0) {
    AdvanceActor(figure);
    return;
  }

  // A person tries one step in a random direction and then waits, whether
  // the step happened or not.
  std::int32_t direction = requestedDirection;
  if (slot != 0) {
    direction = Rand() % 4;
    requestedDirection = direction;
    figure.pause = 64;
  }
  const Cell target = StepTarget(figure, direction);

  // Asking to step below the bottom row leaves. The rest of the update then
  // works on the hero's world record; the target lies off this map, so only
  // his new pause is counted down.
  if (slot == 0 && target.y >= town.map->height) LeaveTown(town);

  if (direction != None && InsideMap(*town.map, target.x, target.y)) {
    const int inTheWay = SlotInTheWay(town, figure, target);
    if (inTheWay >= 0) {
      if (slot == 0) {
        if (TalkButtonDown()) ChooseListener(town, target);
        // Being pushed makes a person move on.
        actors[inTheWay].pause = 0;
      }
    } else if (PassesTerrain(figure, CodeAt(*town.map, target.x, target.y), town.walkable,
                             town.secondary)) {
      StartStep(figure, direction, target);
    }
  }
  AdvanceActor(figure);
}

void TownScene(const Town& town) {
  for (const int slot : town.slots) UpdateTownFigure(town, slot);

  FollowHero(*town.map);
  DrawTileMap(*town.map, town.tiles->get(), camera);
  // People are drawn over the hero.
  for (const int slot : town.slots) DrawActor(actors[slot], camera, *town.map, town.coverTiles);
  PresentFrame();

  // The conversation is typed over the frame just shown.
  if (pendingTalk != 0) {
    RunConversation(pendingTalk);
    pendingTalk = 0;
  }
}
