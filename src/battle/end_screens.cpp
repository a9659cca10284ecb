#include "battle/end_screens.h"

#include "battle/battle.h"
#include "dialogue/conversation.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "state/assets.h"
#include "state/game_state.h"
#include "state/player.h"

void FinalConfrontation() {
  RunConversation(Elmo);
  // Elmo's castle music is left playing beside the battle's own.
  if (RunBattle(Elmo, 10) == 0) {
    ShowEndScreen();  // GameState is still DemonCastle: the game-over picture
  } else {
    SetGameState(Ending);  // the main loop shows the ending in this same frame
  }
}

void ShowEndScreen() {
  Rect whole{0, 0, kScreenWidth, kScreenHeight};
  if (GameState == Ending) {
    BlitClipped(BackBuffer, 0, 0, pictures::end.get(), whole, kCopyWait);
    PresentFrame();
    PlaySlot(sounds::world, kPlayLooped);
  } else {
    BlitClipped(BackBuffer, 0, 0, pictures::over.get(), whole, kCopyWait);
    PresentFrame();
    PlaySlot(sounds::gameover, kPlayOnce);  // the two sound together
    PlaySlot(sounds::gameover2, kPlayOnce);
  }
  // Only Z or gamepad button 0 leaves; A and S belong to the battle and boxes.
  ReadGamepad();
  ReadKeyboard();
  while (!PadButtonDown(0) && !KeyDown(DIK_Z)) {
    ReadGamepad();
    ReadKeyboard();
  }
  StopAllSlots();
  SetGameState(Title);
}
