#include "state/player.h"

#include <cstring>

#include "platform/trace.h"

PlayerRecord Player = {};
MonsterStats dragonflyStats = {};
MonsterStats devilStoneStats = {};
MonsterStats elmoStats = {};

namespace {
// The record as last written to the trace; nothing written yet at start.
PlayerRecord lastWritten = {};
bool written = false;
}  // namespace

void NewGame() {
  Player.level = 1;
  Player.exp = 10;
  Player.hp = 20;
  Player.maxHp = 20;
  Player.gold = 20;
  Player.attack = 15;
  Player.defence = 10;
  Player.herbs = 0;
  Player.hasSword = 0;
  Player.hasShield = 0;
  dragonflyStats = {5, 5, 5, 10, 10};
  devilStoneStats = {10, 10, 10, 20, 20};
  elmoStats = {100, 50, 50, 0, 0};
}

void TracePlayerIfChanged() {
  if (!TraceOpen()) return;
  if (written && std::memcmp(&lastWritten, &Player, sizeof Player) == 0) return;
  lastWritten = Player;
  written = true;
  TraceEvent("player")
      .Int("level", Player.level)
      .Int("exp", Player.exp)
      .Int("hp", Player.hp)
      .Int("maxHp", Player.maxHp)
      .Int("gold", Player.gold)
      .Int("attack", Player.attack)
      .Int("defence", Player.defence)
      .Int("herbs", Player.herbs)
      .Int("hasSword", Player.hasSword)
      .Int("hasShield", Player.hasShield);
}

void ForgetTracedPlayer() {
  lastWritten = {};
  written = false;
}
