// The village: six people, the shop and the inn behind their counters.
#include "state/assets.h"
#include "world/scenes.h"
#include "world/tile_lists.h"
#include "world/town_scene.h"

namespace {

constexpr int kVillageSlots[] = {0, 1, 2, 3, 4, 5, 6};
// The Merchant (1) and the Bellboy (4) speak only across their counters.
constexpr int kCounterKeepers[] = {1, 4};
constexpr int kVillageTalkers[] = {2, 3, 5, 6};

const Town kVillage{
    &villageMap,       &pictures::Village, villageWalkable, villageSecondary, villageCounterTiles,
    villageCoverTiles, kVillageSlots,      kCounterKeepers, kVillageTalkers,  2,
};

}  // namespace

void VillageScene() {
  TownScene(kVillage);
}
