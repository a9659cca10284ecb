#pragma once
// Elmo's last words and the final battle.
void FinalConfrontation();
// The ending (GameState 5) or game-over picture; returns with GameState 0.
void ShowEndScreen();
