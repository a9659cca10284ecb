// The Bellboy's inn: a night for 30 gold brings the hero's hp back to full.
#include "dialogue/message_box.h"
#include "dialogue/say_line.h"
#include "dialogue/shop.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "state/assets.h"
#include "state/player.h"

namespace {
constexpr std::int32_t kRoomPrice = 30;
}

void RunInn() {
  SayLine(1, kTextWhite, 0, "Bellboy: Hello!!");
  SayLine(2, kTextWhite, 9, "Would you like to get the room?");
  SayLine(3, kTextWhite, 9, "Ha ha ha ha");
  SayLine(1, kTextWhite, 0, "Just 30 GOLD for one night.");
  if (AskYesNo() == 0) return;
  if (Player.gold < kRoomPrice) {
    SayLine(1, kTextWhite, 0, "Bellboy: Your Gold not enought. Sorry");
    return;
  }
  // A hero with full hp pays all the same.
  Player.gold -= kRoomPrice;
  Player.hp = Player.maxHp;
  SayLine(1, kTextWhite, 0, "Bellboy: Your Welcome");
  PresentFrame();
  SayLine(1, kTextYellow);
  SayLine(2, kTextYellow, 22, "HP Recovered");
  PlaySlot(sounds::hp, kPlayOnce);
  SayLine(3, kTextYellow);
}
