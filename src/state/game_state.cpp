#include "state/game_state.h"

#include "platform/trace.h"

std::int32_t GameState = Title;
std::int32_t windowActive = 0;

void SetGameState(std::int32_t state) {
  GameState = state;
  TraceEvent("state").Int("to", state);
}
