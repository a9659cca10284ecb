#include "shell/main_loop.h"

#include "battle/end_screens.h"
#include "dialogue/title_sequence.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/trace.h"
#include "platform/window_events.h"
#include "state/assets.h"
#include "state/game_state.h"
#include "state/music.h"
#include "state/player.h"
#include "world/hero_controls.h"
#include "world/map_entry.h"
#include "world/scenes.h"

std::int32_t windowActive = 0;

int RunFrame() {
  // Escape asks for the quit; this frame still runs to its end.
  if (EscapeKeyDown()) PostQuit();
  MarkFrameStart();
  ReadKeyboard();
  ReadGamepad();

  // One test after another on the current value: a state entered with a
  // higher number runs in this same frame.
  if (GameState == Title) {
    TitleSequence();
    NewGame();
    EnterWorldMap();
    SetGameState(WorldMap);
    StopAllSlots();
  }
  if (GameState == WorldMap) {
    KeepMusicLooping(sounds::world);
    ReadHeroControls();
    WorldMapScene();
    if (GameState != WorldMap) StopAllSlots();
  }
  if (GameState == Village) {
    KeepMusicLooping(sounds::village);
    ReadHeroControls();
    VillageScene();
    if (GameState != Village) StopAllSlots();
  }
  if (GameState == Castle) {
    KeepMusicLooping(sounds::castle);
    ReadHeroControls();
    CastleScene();
    if (GameState != Castle) StopAllSlots();
  }
  if (GameState == DemonCastle) {
    KeepMusicLooping(sounds::castle2);
    ReadHeroControls();
    DemonCastleScene();
    // Leaving Elmo's castle stops only its own music.
    if (GameState != DemonCastle) StopSlot(sounds::castle2);
  }
  if (GameState == Ending) ShowEndScreen();

  TracePlayerIfChanged();
  WaitSinceFrameStart(10);
  return 1;
}

int RunGame() {
  try {
    for (;;) {
      const HostEvent event = PeekWindowEvent();
      if (event == HostEvent::Quit) break;
      if (event == HostEvent::Activated) windowActive = 1;
      if (event == HostEvent::Minimised) windowActive = 0;
      if (event != HostEvent::None) continue;
      if (windowActive == 1) {
        RunFrame();
      } else {
        WaitWindowEvent();
      }
    }
  } catch (const QuitRequest&) {
    // The window was closed from inside some loop of the game: everything
    // has unwound to here, and the game shuts down in order as on Escape.
  }
  ShutDown();
  TraceEvent("quit").Int("code", 0);
  return 0;
}

int PlayGame() {
  int code = 0;
  try {
    // StartUp has said which picture is missing.
    if (StartUp() == 0) code = 1;
  } catch (const QuitRequest&) {
    // Closed or signalled while the files were loading: leave in order.
    code = -1;
  }
  if (code == 0) return RunGame();
  ShutDown();
  code = code < 0 ? 0 : code;
  TraceEvent("quit").Int("code", code);
  return code;
}
