// The turn-based fight: the hero moves first, then hero and monster take turns
// until one of them has no hp left.
#include "battle/battle.h"

#include "battle/battle_screen.h"
#include "battle/battle_values.h"
#include "battle/blows.h"
#include "battle/rewards.h"
#include "dialogue/cursor_sprite.h"
#include "dialogue/message_box.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/trace.h"
#include "state/assets.h"
#include "state/music.h"
#include "state/player.h"

MonsterStats currentMonster{};
std::int32_t cursorRow = 0;
std::int32_t heroActing = 0;
std::int32_t enemyTurn = 0;
std::int32_t heroFrame = 0;
std::int32_t monsterFrame = 0;
std::int32_t monsterFrameCount = 0;
std::int32_t monsterX = 0, monsterY = 0;
std::int32_t heroX = 0, heroY = 0;
std::int32_t monsterHitPending = 0;
std::int32_t heroHitPending = 0;
std::int32_t monsterDefeated = 0;
std::int32_t lastDamage = 0;

namespace {

// The battle's pauses run on the frame clock.
void BattlePause(std::uint32_t ms) {
  MarkFrameStart();
  WaitSinceFrameStart(ms);
}

void ResetBattleValues() {
  cursorRow = heroActing = enemyTurn = 0;
  heroFrame = monsterFrame = 0;
  monsterFrameCount = 2;
  monsterX = monsterY = heroX = heroY = 0;
  monsterHitPending = heroHitPending = monsterDefeated = 0;
  lastDamage = 0;
}

// Up and Down move the cursor only while the hero is choosing; the cursor is
// drawn on the BackBuffer in every pass.
void MoveCursor() {
  const bool choosing = heroActing == 0 && enemyTurn == 0;
  const bool down = PadDown() || KeyDown(DIK_DOWN);
  const bool up = PadUp() || KeyDown(DIK_UP);
  if (choosing && down && cursorRow == 0) {
    cursorRow = 1;
    DrawBattleCursor(cursorRow, FrontSurface);
    DrawBattleCursor(cursorRow, BackBuffer);
    PlayCursorMoveSound();
  } else if (choosing && up && cursorRow == 1) {
    cursorRow = 0;
    DrawBattleCursor(cursorRow, FrontSurface);
    DrawBattleCursor(cursorRow, BackBuffer);
    PlayCursorMoveSound();
  } else {
    DrawBattleCursor(cursorRow, BackBuffer);
  }
}

void HeroAttackStep() {
  BattlePause(300);
  if (heroFrame < 2) {
    ++heroFrame;
    return;
  }
  PlaySlot(sounds::pattack, kPlayOnce);
  heroFrame = 0;
  heroActing = 0;
  enemyTurn = 1;
  lastDamage = HeroBlow();
  currentMonster.hp -= lastDamage;
  monsterHitPending = 1;
  if (currentMonster.hp <= 0) monsterDefeated = 1;
}

// A herb is used in one step, without a pause; with none left the turn is lost.
void HeroHerbStep() {
  enemyTurn = 1;
  heroActing = 0;
  if (Player.herbs >= 1) {
    ShowMessage(lineBuffer, 1, kTextYellow);  // an empty first line opens the box
    FormatLine("                      HP Recovered");
    ShowMessage(lineBuffer, 2, kTextYellow);
    PlaySlot(sounds::hp, kPlayOnce);
    ShowMessage(lineBuffer, 3, kTextYellow);  // empty: only waits for the player
    Player.hp = Player.maxHp;
    Player.herbs -= 1;
  } else {
    FormatLine("You not have Herb!!!");
    ShowMessage(lineBuffer, 1, kTextWhite);
  }
}

void MonsterStep() {
  if (monsterFrame < monsterFrameCount) {
    ++monsterFrame;
  } else {
    PlaySlot(sounds::eattack, kPlayOnce);
    monsterFrame = 0;
    lastDamage = MonsterBlow();
    monsterX = 500;  // for this one pass it stands right beside the hero
    Player.hp -= lastDamage;
    enemyTurn = 0;
    heroHitPending = 1;
  }
  BattlePause(200);
}

void DrawFighters(std::int32_t kind) {
  Rect monster = MonsterPicture(kind, monsterFrame);
  Rect hero = HeroPicture(heroFrame);
  heroX = heroFrame == 2 ? 154 : 550;
  heroY = 200;
  if (monsterDefeated == 0) {
    BlitClipped(BackBuffer, monsterX, monsterY, pictures::pbattle.get(), monster, kCopyKeyed);
  }
  BlitClipped(BackBuffer, heroX, heroY, pictures::pbattle.get(), hero, kCopyKeyed);
  PresentFrame();
}

void ShowMonsterDamage(std::int32_t kind) {
  switch (kind) {
    case Dragonfly:
      FormatLine("Dragonfly damaged %d", lastDamage);
      break;
    case DevilStone:
      FormatLine("Devil Stone damaged %d", lastDamage);
      break;
    default:
      FormatLine("Elmo damaged %d", lastDamage);
      break;
  }
  ShowMessage(lineBuffer, 1, kTextWhite);
}

// The picture of the previous pass flashes back before the hero's damage.
void ShowHeroDamage() {
  Sleep(100);
  PresentFrame();
  Sleep(100);
  FormatLine("Pim damaged %d", lastDamage);
  ShowMessage(lineBuffer, 1, kTextWhite);
}

void RunBattlePass(std::int32_t kind, Surface* background) {
  ReadDevices();
  MoveCursor();
  ReadDevices();
  if ((PadButtonDown(1) || KeyDown(DIK_A)) && enemyTurn == 0) heroActing = 1;

  if (heroActing == 1) {
    if (cursorRow == 0) {
      HeroAttackStep();
    } else {
      HeroHerbStep();
    }
  } else if (enemyTurn == 1) {
    MonsterStep();
  }

  DrawFighters(kind);
  if (monsterHitPending) {
    ShowMonsterDamage(kind);
    monsterHitPending = 0;
  }
  if (heroHitPending) {
    ShowHeroDamage();
    heroHitPending = 0;
  }
  DrawBattleMenu(background);
  monsterX = 100;
}

// Fills currentMonster and starts the kind's music; false for a kind that
// does not exist, which is then not fought.
bool SetUpMonster(std::int32_t kind) {
  switch (kind) {
    case Dragonfly:
      currentMonster = dragonflyStats;
      KeepMusicLooping(sounds::battle);
      return true;
    case DevilStone:
      currentMonster = devilStoneStats;
      KeepMusicLooping(sounds::battle);
      return true;
    case Elmo:
      currentMonster = elmoStats;
      KeepMusicLooping(sounds::bbattle);
      monsterFrameCount = 3;
      return true;
    default:
      return false;
  }
}

int FinishBattle() {
  StopAllSlots();
  if (Player.hp <= 0) return 0;  // no message: the caller shows the game-over screen
  GrantVictoryRewards();
  return 1;
}

}  // namespace

int RunBattle(std::int32_t kind, std::int32_t tileCode) {
  TraceEvent("battle").Int("kind", kind).Int("tile", tileCode);
  ResetBattleValues();

  Surface* background = BattleBackground(tileCode);
  BlitFullScreen(BackBuffer, background);
  BlitFullScreen(FrontSurface, background);

  const bool fought = SetUpMonster(kind);
  monsterX = 100;
  monsterY = kind == Elmo ? 168 : 200;

  if (fought && currentMonster.hp > 0) {
    while (Player.hp > 0) {
      RunBattlePass(kind, background);
      if (currentMonster.hp <= 0) break;
    }
  }

  // A kind that does not exist is not fought and pays nothing.
  int won = 1;
  if (fought) {
    won = FinishBattle();
  } else {
    StopAllSlots();
  }
  TraceEvent("battle_end").Int("won", won);
  return won;
}
