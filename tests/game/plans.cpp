#include "game/plans.h"

#include "game/trace_lines.h"
#include "shell/game_state.h"
#include "shell/player.h"
#include "world/actor.h"
#include "world/tile_lists.h"
#include "world/tile_map.h"

namespace {

constexpr std::int32_t kInnPrice = 30;

Intent Enter(std::int32_t place) {
  Intent intent;
  intent.kind = Intent::EnterPlace;
  intent.place = place;
  return intent;
}

Intent WalkTo(Cell cell) {
  Intent intent;
  intent.kind = Intent::WalkTo;
  intent.cell = cell;
  return intent;
}

Intent TalkTo(std::int32_t person) {
  Intent intent;
  intent.kind = Intent::TalkTo;
  intent.person = person;
  return intent;
}

Intent Simply(Intent::Kind kind) {
  Intent intent;
  intent.kind = kind;
  return intent;
}

bool HeroAt(Cell cell) {
  return actors[0].tileX == cell.x && actors[0].tileY == cell.y;
}

// Back and forth between two cells: every attempted step is a chance of a
// battle, twice as good in the forest.
Intent Pace(const Cell (&ends)[2], int& leg) {
  if (HeroAt(ends[leg])) leg = 1 - leg;
  return WalkTo(ends[leg]);
}

}  // namespace

// --- PlanWithEnd ------------------------------------------------------------

void PlanWithEnd::Notice(std::string_view line) {
  if (IsTraceEvent(line, "state")) {
    const auto to = TraceInt(line, "to");
    if (to == Ending) endingSeen_ = true;
    if (to == Title && (endingSeen_ || gameOverSeen_)) backAtTitle_ = true;
  } else if (IsTraceEvent(line, "battle_end")) {
    if (TraceInt(line, "won") == 0) gameOverSeen_ = true;
  } else if (IsTraceEvent(line, "talk")) {
    if (TraceInt(line, "person") == kKing) metKing_ = true;
  } else if (IsTraceEvent(line, "enter")) {
    if (backAtTitle_ && restartCell_.x < 0 && TraceTextIs(line, "map", "world")) {
      restartCell_ = Cell{static_cast<std::int32_t>(TraceInt(line, "x")),
                          static_cast<std::int32_t>(TraceInt(line, "y"))};
    }
  } else if (IsTraceEvent(line, "player")) {
    if (backAtTitle_ && TraceInt(line, "level") == 1) freshGame_ = true;
  }
}

// --- HeroPlan ---------------------------------------------------------------

bool HeroPlan::Ready() const {
  return Player.level >= kReadyLevel && Player.hasSword != 0 && Player.hasShield != 0;
}

// The shield first, as it is cheaper and keeps the hero alive; herbs with the
// change, up to four once the hero is ready for Elmo.
int HeroPlan::Wish() const {
  if (Player.hasShield == 0 && Player.gold >= 50) return kShieldItem;
  if (Player.hasSword == 0 && Player.gold >= 90) return kSwordItem;
  const std::int32_t herbsWanted = Ready() ? 4 : 2;
  if (Player.herbs < herbsWanted && Player.gold >= 10) return kHerbItem;
  return kNoItem;
}

// Badly hurt; and once, whatever the hp, before setting out for the King.
bool HeroPlan::WantsRest() const {
  if (Player.gold < kInnPrice) return false;
  return Player.hp * 2 < Player.maxHp || (Ready() && !restedWhenReady_);
}

void HeroPlan::Notice(std::string_view line) {
  PlanWithEnd::Notice(line);
  if (IsTraceEvent(line, "talk") && TraceInt(line, "person") == kBellboy && Ready()) {
    restedWhenReady_ = true;
  }
}

Intent HeroPlan::Grind() {
  static constexpr Cell kForest[2] = {{46, 28}, {53, 28}};
  return Pace(kForest, grindLeg_);
}

Intent HeroPlan::NextIntent() {
  const int wish = Wish();
  switch (GameState) {
    case WorldMap: {
      // Once on the way to Elmo only an empty bag and a bad wound turn the
      // hero back.
      bool errand = wish != kNoItem || WantsRest();
      if (MetKing()) errand = Player.hp * 2 < Player.maxHp && Player.herbs == 0;
      if (errand) return Enter(Village);
      if (!Ready()) return Grind();
      return Enter(MetKing() ? DemonCastle : Castle);
    }
    case Village:
      if (wish == kShieldItem || wish == kSwordItem) return TalkTo(kMerchant);
      if (WantsRest()) return TalkTo(kBellboy);
      if (wish == kHerbItem) return TalkTo(kMerchant);
      return Simply(Intent::LeaveTown);
    case Castle:
      return MetKing() ? Simply(Intent::LeaveTown) : TalkTo(kKing);
    case DemonCastle:
      return Simply(Intent::MeetElmo);
    default:
      return Intent{};
  }
}

// --- FumblingPlan -----------------------------------------------------------

Intent FumblingPlan::NextIntent() {
  static constexpr Cell kWestOfTheCastle[2] = {{40, 44}, {46, 44}};
  switch (GameState) {
    case WorldMap:
      return MetKing() ? Pace(kWestOfTheCastle, leg_) : Enter(Castle);
    case Village:
    case Castle:
      return MetKing() ? Simply(Intent::LeaveTown) : TalkTo(kKing);
    case DemonCastle:
      return Simply(Intent::MeetElmo);
    default:
      return Intent{};
  }
}

// --- WanderPlan -------------------------------------------------------------

namespace {
constexpr std::uint32_t kWalkPatienceMs = 3 * 60 * 1000;
constexpr std::uint32_t kTownPatienceMs = 2 * 60 * 1000;
constexpr std::int32_t kVillageTalkers[] = {kGirl, kBoy, kWoman, kSoldier};
constexpr std::int32_t kCastleTalkers[] = {kSoldier, kMinister, kKing};
}  // namespace

std::uint32_t WanderPlan::Roll(std::uint32_t sides) {
  // xorshift64: small, fast and the same on every machine.
  dice_ ^= dice_ << 13;
  dice_ ^= dice_ >> 7;
  dice_ ^= dice_ << 17;
  return static_cast<std::uint32_t>(dice_ % sides);
}

bool WanderPlan::Hurt() const {
  return Player.hp * 3 < Player.maxHp;
}

void WanderPlan::Notice(std::string_view line) {
  if (IsTraceEvent(line, "talk")) {
    ++talks_;
    reached_ = true;  // every errand in a town ends with a talk
  } else if (IsTraceEvent(line, "state") && TraceInt(line, "to") == Ending) {
    ++endings_;
  }
}

Intent WanderPlan::ChooseOnWorldMap() {
  if (Hurt() && Player.gold >= kInnPrice) return Enter(Village);
  const std::uint32_t roll = Roll(100);
  if (roll < 50) {
    for (;;) {
      const Cell cell{static_cast<std::int32_t>(Roll(64)), static_cast<std::int32_t>(Roll(64))};
      const std::uint8_t code = CodeAt(worldMap, cell.x, cell.y);
      if (IsTileInList(code, worldWalkable) && !IsTileInList(code, villageEntrance) &&
          !IsTileInList(code, castleEntrance) && !IsTileInList(code, demonCastleEntrance)) {
        return WalkTo(cell);
      }
    }
  }
  if (roll < 70) return Enter(Village);
  if (roll < 92) return Enter(Castle);
  return Enter(DemonCastle);
}

Intent WanderPlan::ChooseInTown() {
  if (GameState == Castle) {
    const std::uint32_t roll = Roll(5);
    return roll < 3 ? TalkTo(kCastleTalkers[roll]) : Simply(Intent::LeaveTown);
  }
  if (Hurt() && Player.gold >= kInnPrice) return TalkTo(kBellboy);
  const std::uint32_t roll = Roll(10);
  if (roll < 3) {
    shopItem_ = static_cast<int>(Roll(3)) + 1;  // now and then one it cannot have
    return TalkTo(kMerchant);
  }
  if (roll == 3) return TalkTo(kBellboy);
  if (roll < 7) return TalkTo(kVillageTalkers[Roll(4)]);
  return Simply(Intent::LeaveTown);
}

Intent WanderPlan::NextIntent() {
  if (GameState != lastState_) {
    lastState_ = GameState;
    reached_ = true;  // a new place: a new idea
  }
  if (current_.kind == Intent::WalkTo && HeroAt(current_.cell)) reached_ = true;
  if (!reached_ && Now() < giveUpAt_) return current_;

  reached_ = false;
  switch (GameState) {
    case WorldMap:
      current_ = ChooseOnWorldMap();
      giveUpAt_ = Now() + kWalkPatienceMs;
      break;
    case Village:
    case Castle:
      current_ = ChooseInTown();
      giveUpAt_ = Now() + kTownPatienceMs;
      break;
    case DemonCastle:
      current_ = Simply(Intent::MeetElmo);
      giveUpAt_ = Now() + kWalkPatienceMs;
      break;
    default:
      current_ = Intent{};
  }
  return current_;
}
