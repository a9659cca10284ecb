// Placeholders until the walking scenes exist: the loop runs, nothing moves.
#include "platform/display.h"
#include "world/hero_controls.h"
#include "world/map_entry.h"
#include "world/scenes.h"

void EnterWorldMap() {}
void EnterVillage() {}
void EnterCastle() {}
void EnterDemonCastle() {}
void ReadHeroControls() {}
void WorldMapScene() { PresentFrame(); }
void VillageScene() { PresentFrame(); }
void CastleScene() { PresentFrame(); }
void DemonCastleScene() { PresentFrame(); }
