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
  if (GameState == Ending) {
    BlitFullScreen(BackBuffer, pictures::end.get());
    PresentFrame();
    PlaySlot(sounds::world, kPlayLooped);
  } else {
    BlitFullScreen(BackBuffer, pictures::over.get());
    PresentFrame();
    PlaySlot(sounds::gameover, kPlayOnce);  // the two sound together
    PlaySlot(sounds::gameover2, kPlayOnce);
  }
  // Only Z or gamepad button 0 leaves; A and S belong to the battle and boxes.
  ReadDevices();
  while (!PadButtonDown(0) && !KeyDown(DIK_Z)) {
    ReadDevices();
  }
  StopAllSlots();
  SetGameState(Title);
}
