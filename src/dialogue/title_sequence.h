#pragma once
// The credits, the title lines and the start picture; returns when the
// player starts the game.
void TitleSequence();
