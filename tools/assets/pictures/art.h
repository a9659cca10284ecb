// The picture makers, one per file of the game, and the figure drawing they share.
#pragma once

#include "common/canvas.h"

Canvas DrawWorldSheet();
Canvas DrawVillageSheet();
Canvas DrawCastleSheet();
Canvas DrawDemonCastleSheet();
Canvas DrawPeopleSheet();
Canvas DrawBattleSprites();
Canvas DrawBattleField();
Canvas DrawBattleForest();
Canvas DrawBattleHall();
Canvas DrawStartPicture();
Canvas DrawEndPicture();
Canvas DrawOverPicture();
Canvas DrawIconPicture();

enum Facing { kUp = 0, kDown = 1, kLeft = 2, kRight = 3 };

// A 32 x 32 figure (hero id 0, people 1 to 8 and the princess, id 9) with its
// top-left corner at (x, y), on whatever is already there; walkFrame 0 or 1.
void DrawFigure(Canvas& c, int x, int y, int id, Facing facing, int walkFrame);
// Elmo standing, 64 x 64, pose 0 or 1.
void DrawElmoSmall(Canvas& c, int x, int y, int pose);
// Elmo for the battle, 64 x 96, frames 0 (standing), 1 (rising), 2 (casting).
void DrawElmoBattle(Canvas& c, int x, int y, int frame);
// The hero in battle, 64 x 64, facing left: 0 standing, 1 sword raised, 2 lunge.
void DrawHeroBattle(Canvas& c, int x, int y, int pose);
// Building pictures used on the world map and on the start and end pictures.
void DrawVillagePicture(Canvas& c, int x, int y);     // 96 x 64
void DrawKingCastlePicture(Canvas& c, int x, int y);  // 96 x 96
void DrawElmoCastlePicture(Canvas& c, int x, int y);  // 96 x 96
