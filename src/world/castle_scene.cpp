// The King's castle: the Soldier, the Minister and the King; no counters, and
// figures are always drawn whole.
#include "state/assets.h"
#include "world/scenes.h"
#include "world/tile_lists.h"
#include "world/town_scene.h"

namespace {

constexpr int kCastleSlots[] = {0, 6, 7, 8};
constexpr int kCastleTalkers[] = {6, 7, 8};

const Town kCastle{
    &castleMap,     &pictures::castle,
    castleWalkable, nullptr,
    nullptr,        nullptr,
    kCastleSlots,   {},
    kCastleTalkers, 3,
};

}  // namespace

void CastleScene() {
  TownScene(kCastle);
}
