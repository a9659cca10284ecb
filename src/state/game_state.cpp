#include "state/game_state.h"

#include "platform/trace.h"

std::int32_t GameState = Title;

void SetGameState(std::int32_t state) {
  GameState = state;
  TraceEvent("state").Int("to", state);
}
