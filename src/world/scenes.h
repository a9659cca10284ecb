#pragma once
// One frame of each walking scene: move, draw, present.
void WorldMapScene();
void VillageScene();
void CastleScene();
void DemonCastleScene();
