// The Merchant's shop: a greeting, the yes/no question, the price list with
// its pointer, and the sale or the refusal.
#include "dialogue/shop.h"

#include "dialogue/cursor_sprite.h"
#include "dialogue/message_box.h"
#include "dialogue/say_line.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/trace.h"
#include "state/assets.h"
#include "state/player.h"

namespace {

enum Item { Cancelled = 0, Herb = 1, Sword = 2, Shield = 3 };

struct Goods {
  const char* label;
  std::int32_t price;
};

// Rows 1 to 3 of the price list.
constexpr Goods kGoods[] = {
    {"HERB", 10},
    {"SWORD", 90},
    {"SHIELD", 50},
};

constexpr std::int32_t kMostHerbs = 4;  // the shop refuses a fifth herb
constexpr std::int32_t kArmsBonus = 30;
constexpr int kPointerX = 165;
constexpr int kFirstPointerTop = 117;
constexpr int kRowPitch = 25;
constexpr std::uint32_t kMenuPassMs = 120;

void DrawShopWindow() {
  FillRect(158, 115, 482, 362, kRawWhite, FrontSurface);
  FillRect(160, 117, 480, 360, kRawBlack, FrontSurface);
  int top = 125;
  for (const Goods& goods : kGoods) {
    DrawTextAt(goods.label, 200, top, kTextWhite, FrontSurface);
    FormatLine("%dG", goods.price);
    DrawTextAt(lineBuffer, 450, top, kTextWhite, FrontSurface);
    ClearLineBuffer();
    top += kRowPitch;
  }
}

int RunShopMenu() {
  int row = 1;
  int top = kFirstPointerTop;
  DrawCursorSprite(kPointerX, top, FrontSurface);
  ReadDevices();
  if (PadButtonDown(1)) return row;
  // The devices are read only at the end of a pass, so each test below sees
  // what was held when the previous pass ended.
  for (;;) {
    if (KeyDown(DIK_A)) return row;
    MarkFrameStart();
    // Up wins when both are held.
    if (PadUp() || KeyDown(DIK_UP)) {
      if (row > 1) {
        FillRect(kPointerX, top, kPointerX + 32, top + 32, kRawBlack, FrontSurface);
        row -= 1;
        top -= kRowPitch;
        DrawCursorSprite(kPointerX, top, FrontSurface);
        PlayCursorMoveSound();
      }
    } else if (PadDown() || KeyDown(DIK_DOWN)) {
      if (row < 3) {
        FillRect(kPointerX, top, kPointerX + 32, top + 32, kRawBlack, FrontSurface);
        row += 1;
        top += kRowPitch;
        DrawCursorSprite(kPointerX, top, FrontSurface);
        PlayCursorMoveSound();
      }
    }
    // One row per pass while Up or Down is held.
    WaitSinceFrameStart(kMenuPassMs);
    if (PadButtonDown(2) || KeyDown(DIK_S)) return Cancelled;
    ReadDevices();
    if (PadButtonDown(1)) return row;
  }
}

// The Merchant's answer when the item cannot be sold, or null. Gold is
// looked at first, so a poor hero hears about money even when the item
// would be refused anyway.
const char* RefusalFor(int item) {
  if (Player.gold < kGoods[item - 1].price) return "Merchant: Sorry,you have not enough money";
  switch (item) {
    case Herb:
      if (Player.herbs >= kMostHerbs) return "Merchant: Sorry,you have HERB too much";
      break;
    case Sword:
      if (Player.hasSword != 0) return "Merchant: Sorry,you aready got SWORD";
      break;
    case Shield:
      if (Player.hasShield != 0) return "Merchant: Sorry,you aready got SHIELD";
      break;
  }
  return nullptr;
}

void SellHerb() {
  Player.herbs += 1;
  Player.gold -= kGoods[Herb - 1].price;
  SayLine(1, kTextWhite, 0, "Merchant : Thank you!!");
  SayLine(2, kTextWhite, 11, "Good Bye...");
  SayLine(3, kTextWhite);
  PresentFrame();
  SayLine(1, kTextYellow);
  SayLine(2, kTextYellow, 22, "Recived 1 Herb");
  PlaySlot(sounds::getitem, kPlayOnce);
  SayLine(3, kTextYellow);
}

// The thank-you box of the sword and the shield is not waited for: the
// result box replaces it as soon as its second line is typed.
void SellArms(const char* received) {
  SayLine(1, kTextWhite, 0, "Merchant: Thank you!!");
  SayLine(2, kTextWhite, 10, "Good Bye...");
  PresentFrame();
  SayLine(1, kTextYellow);
  SayLine(2, kTextYellow, 22, received);
  PlaySlot(sounds::g_arm, kPlayOnce);
  SayLine(3, kTextYellow);
}

void Sell(int item) {
  switch (item) {
    case Herb:
      SellHerb();
      break;
    case Sword:
      Player.hasSword = 1;
      Player.attack += kArmsBonus;
      Player.gold -= kGoods[Sword - 1].price;
      SellArms("Recived Sword");
      break;
    case Shield:
      Player.hasShield = 1;
      Player.defence += kArmsBonus;
      Player.gold -= kGoods[Shield - 1].price;
      SellArms("Recived Shield");
      break;
  }
}

}  // namespace

int ChooseShopItem() {
  const int item = RunShopMenu();
  TraceEvent("shop_choice").Int("item", item);
  return item;
}

void RunShop() {
  SayLine(1, kTextWhite, 0, "Merchant: Hello!!!");
  SayLine(2, kTextWhite, 10, "Can I help you?");
  SayLine(3, kTextWhite, 10, "Ha ha ha ha");
  if (AskYesNo() == 0) {
    SayLine(1, kTextWhite, 10, "Good Bye....");
    return;
  }
  SayLine(1, kTextWhite, 0, "Yeah, ");
  DrawShopWindow();

  const int item = ChooseShopItem();
  if (item == Cancelled) return;
  if (const char* refusal = RefusalFor(item)) {
    SayLine(1, kTextWhite, 0, refusal);
    SayLine(2, kTextWhite, 10, "Good Bye...");
    return;
  }
  Sell(item);
}
