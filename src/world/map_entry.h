#pragma once
// Place the hero (and the people of the place) on their start cells.
void EnterWorldMap();
void EnterVillage();
void EnterCastle();
void EnterDemonCastle();
