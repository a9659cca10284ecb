// The hero's record and the three monster templates.
#pragma once

#include <cstdint>

struct PlayerRecord {
  std::int32_t level;
  std::int32_t exp;
  std::int32_t hp;
  std::int32_t maxHp;
  std::int32_t gold;
  std::int32_t attack;
  std::int32_t defence;
  std::int32_t herbs;
  std::int32_t hasSword;
  std::int32_t hasShield;
};

struct MonsterStats {
  std::int32_t hp;
  std::int32_t attack;
  std::int32_t defence;
  std::int32_t exp;
  std::int32_t gold;
};

enum MonsterKind : std::int32_t { Dragonfly = 1, DevilStone = 2, Elmo = 10 };

extern PlayerRecord Player;
extern MonsterStats dragonflyStats;
extern MonsterStats devilStoneStats;
extern MonsterStats elmoStats;

// Gives the hero and the templates their starting values; touches nothing else.
void NewGame();

// Writes the record to the event trace when it differs from the last one
// written (at the end of every frame and before every message line).
void TracePlayerIfChanged();
// Forgets what was written, as at process start (for tests that run one
// game after another in a process): the next call writes the record.
void ForgetTracedPlayer();
