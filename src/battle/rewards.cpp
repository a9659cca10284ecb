#include "battle/rewards.h"

#include "battle/battle_values.h"
#include "dialogue/message_box.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "state/assets.h"
#include "state/player.h"

void WaitForContinue() {
  ReadDevices();
  while (!PadButtonDown(2) && !KeyDown(DIK_S)) {
    ReadDevices();
  }
}

namespace {

// One level up; the gains are drawn in the order hp, attack, defence.
void RaiseLevel() {
  PlaySlot(sounds::g_arm, kPlayOnce);
  Player.level += 1;
  const std::int32_t hpGain = 20 + Rand() % 10;
  Player.maxHp += hpGain;
  Player.hp = Player.maxHp;  // a level-up heals fully
  const std::int32_t attackGain = Rand() % 5;
  Player.attack += attackGain;
  const std::int32_t defenceGain = Rand() % 5;
  Player.defence += defenceGain;

  FormatLine("HP +%d ", hpGain);
  ShowMessage(lineBuffer, 1, kTextWhite);
  FormatLine("Attack +%d ", attackGain);
  ShowMessage(lineBuffer, 2, kTextWhite);
  FormatLine("Defence +%d ", defenceGain);
  ShowMessage(lineBuffer, 3, kTextWhite);
  WaitForContinue();
  FormatLine("Now!! You Level %d", Player.level);
  ShowMessage(lineBuffer, 1, kTextWhite);
  WaitForContinue();
}

}  // namespace

void GrantVictoryRewards() {
  PlaySlot(sounds::g_arm, kPlayOnce);
  Player.exp += currentMonster.exp;
  Player.gold += currentMonster.gold;
  FormatLine("recieved %d EXP", currentMonster.exp);
  ShowMessage(lineBuffer, 1, kTextWhite);
  FormatLine("recieved %d GOLD", currentMonster.gold);
  ShowMessage(lineBuffer, 2, kTextWhite);
  WaitForContinue();

  // Equality, tested once per victory: at most one level per win.
  if (Player.exp / 50 == Player.level) RaiseLevel();

  currentMonster = MonsterStats{};
}
