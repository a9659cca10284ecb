#include "game/bot.h"

#include <algorithm>
#include <span>
#include <vector>

#include "battle/battle_values.h"
#include "game/route.h"
#include "game/trace_lines.h"
#include "host/headless_script.h"
#include "shell/game_state.h"
#include "shell/player.h"
#include "world/actor.h"
#include "world/tile_lists.h"
#include "world/town_scene.h"

namespace {

// The row just below Elmo's: asking to go up from there meets him.
constexpr std::int32_t kBeforeElmoRow = 6;

std::uint32_t Arrow(std::int32_t direction) {
  switch (direction) {
    case Up:
      return kUp;
    case Down:
      return kDown;
    case Left:
      return kLeft;
    case Right:
      return kRight;
    default:
      return 0;
  }
}

Cell HeroCell() {
  return Cell{actors[0].tileX, actors[0].tileY};
}

bool Same(Cell a, Cell b) {
  return a.x == b.x && a.y == b.y;
}

const std::uint8_t* EntranceOf(std::int32_t place) {
  switch (place) {
    case Village:
      return villageEntrance;
    case Castle:
      return castleEntrance;
    default:
      return demonCastleEntrance;
  }
}

// The world map route never crosses the picture of another place: stepping
// onto it would enter that place.
std::uint32_t WorldStepTowards(const std::vector<Cell>& goals, std::int32_t place) {
  const auto passable = [place](Cell cell) {
    const std::uint8_t code = CodeAt(worldMap, cell.x, cell.y);
    if (!IsTileInList(code, worldWalkable)) return false;
    for (const std::int32_t other : {Village, Castle, DemonCastle}) {
      if (other != place && IsTileInList(code, EntranceOf(other))) return false;
    }
    return true;
  };
  return Arrow(DistanceField(worldMap, goals, passable).StepFrom(HeroCell()));
}

struct TownLayout {
  const TileMap* map;
  const std::uint8_t* walkable;
  const std::uint8_t* counters;  // null in the castle
  std::span<const std::int32_t> people;
};

constexpr std::int32_t kVillagePeople[] = {1, 2, 3, 4, 5, 6};
constexpr std::int32_t kCastlePeople[] = {6, 7, 8};

TownLayout CurrentTown() {
  if (GameState == Castle) return {&castleMap, castleWalkable, nullptr, kCastlePeople};
  return {&villageMap, villageWalkable, villageCounterTiles, kVillagePeople};
}

bool IsCounter(const TownLayout& town, Cell cell) {
  return town.counters != nullptr && InsideMap(*town.map, cell.x, cell.y) &&
         IsTileInList(CodeAt(*town.map, cell.x, cell.y), town.counters);
}

bool SomebodyAt(const TownLayout& town, Cell cell) {
  for (const std::int32_t slot : town.people) {
    if (Same(Cell{actors[slot].tileX, actors[slot].tileY}, cell)) return true;
  }
  return false;
}

// Where the hero can stand in a town, people aside.
bool IsGround(const TownLayout& town, Cell cell) {
  return InsideMap(*town.map, cell.x, cell.y) &&
         IsTileInList(CodeAt(*town.map, cell.x, cell.y), town.walkable) && !IsCounter(town, cell);
}

// Around the people when there is a way around them; otherwise straight on,
// since a person pushed by the hero moves on.
std::uint32_t TownStepTowards(const TownLayout& town, const std::vector<Cell>& goals) {
  const auto ground = [&town](Cell cell) { return IsGround(town, cell); };
  const auto clear = [&](Cell cell) { return ground(cell) && !SomebodyAt(town, cell); };
  const std::int32_t around = DistanceField(*town.map, goals, clear).StepFrom(HeroCell());
  if (around != None) return Arrow(around);
  return Arrow(DistanceField(*town.map, goals, ground).StepFrom(HeroCell()));
}

// To the bottom row, then over its edge.
std::uint32_t LeaveTownStep() {
  const TownLayout town = CurrentTown();
  const std::int32_t bottom = town.map->height - 1;
  if (HeroCell().y == bottom) return kDown;
  std::vector<Cell> edge;
  for (std::int32_t c = 0; c < town.map->width; ++c) {
    if (IsGround(town, Cell{c, bottom})) edge.push_back({c, bottom});
  }
  return TownStepTowards(town, edge);
}

// Up the corridor to the row before Elmo's, then one more step up.
std::uint32_t MeetElmoStep() {
  if (HeroCell().y == kBeforeElmoRow) return kUp;
  const auto passable = [](Cell cell) {
    return IsTileInList(CodeAt(demonCastleMap, cell.x, cell.y), demonCastleWalkable) != 0;
  };
  std::vector<Cell> row;
  for (std::int32_t c = 0; c < demonCastleMap.width; ++c) {
    if (passable(Cell{c, kBeforeElmoRow})) row.push_back({c, kBeforeElmoRow});
  }
  return Arrow(DistanceField(demonCastleMap, row, passable).StepFrom(HeroCell()));
}

bool IsCounterKeeper(std::int32_t person) {
  return GameState == Village && (person == kMerchant || person == kBellboy);
}

}  // namespace

void Bot::Observe(std::string_view line) {
  if (IsTraceEvent(line, "battle")) {
    inBattle_ = true;
  } else if (IsTraceEvent(line, "battle_end")) {
    inBattle_ = false;
    (TraceInt(line, "won") == 1 ? wins_ : losses_) += 1;
  } else if (IsTraceEvent(line, "talk")) {
    talkingTo_ = static_cast<std::int32_t>(TraceInt(line, "person"));
    inShopMenu_ = false;
    if (talkingTo_ == kMerchant) shopTarget_ = ShopItemWanted();
  } else {
    NoteShopEvent(line);
  }
  Notice(line);
}

// The price list opens after a YES to the Merchant.
void Bot::NoteShopEvent(std::string_view line) {
  if (IsTraceEvent(line, "yesno") && talkingTo_ == kMerchant && TraceInt(line, "answer") == 1) {
    inShopMenu_ = true;
    menuReads_ = 0;
    shopRow_ = 1;
    lastMenuMove_ = 0;
  } else if (IsTraceEvent(line, "shop_choice")) {
    inShopMenu_ = false;
  }
}

std::uint32_t Bot::Controls(std::uint32_t now) {
  now_ = now;
  // The title: S skips the fades and starts the game.
  if (GameState == Title) return kS;
  // The ending and the game-over picture wait for Z.
  if (GameState == Ending || (Player.hp <= 0 && !inBattle_)) return kZ;
  if (inBattle_) return BattleControls();
  if (pendingTalk != 0) return ConversationControls();
  return WalkingControls();
}

bool Bot::WantsHerb() const {
  // The most a monster's blow can take is its attack less 2.
  return Player.herbs > 0 && Player.hp <= currentMonster.attack - 2;
}

// ATTACK or HERB picked and confirmed in one pass (the cursor moves at the
// pass's first read, the choice is taken at its second); S lets every box of
// the fight and of the rewards go.
std::uint32_t Bot::BattleControls() const {
  return kA | kS | (WantsHerb() ? kDown : kUp);
}

// A answers every box and says YES; in the Merchant's price list the pointer
// is walked to the wanted row first.
std::uint32_t Bot::ConversationControls() {
  if (!inShopMenu_) return kA;
  // The list reads the devices once a pass and moves the pointer one row
  // while Up or Down was held at the read before, never past its ends.
  if (menuReads_++ > 0) shopRow_ = std::clamp(shopRow_ + lastMenuMove_, 1, 3);
  lastMenuMove_ = 0;
  if (shopRow_ < shopTarget_) {
    lastMenuMove_ = 1;
    return kDown;
  }
  if (shopRow_ > shopTarget_) {
    lastMenuMove_ = -1;
    return kUp;
  }
  return kA;
}

std::uint32_t Bot::WalkingControls() {
  const Actor& hero = actors[0];
  // S also lets go any box that waits while the hero walks (Elmo's words).
  if (hero.stepLeft != 0 || hero.pause != 0) return kS;

  const Intent intent = NextIntent();
  switch (intent.kind) {
    case Intent::EnterPlace:
      if (GameState != WorldMap) return kS;
      return kS | WorldStepTowards(CellsWithCode(worldMap, EntranceOf(intent.place)), intent.place);
    case Intent::WalkTo:
      if (Same(HeroCell(), intent.cell)) return kS;
      if (GameState == WorldMap) return kS | WorldStepTowards({intent.cell}, WorldMap);
      return kS | TownStepTowards(CurrentTown(), {intent.cell});
    case Intent::TalkTo:
      return TalkControls(intent.person);
    case Intent::LeaveTown:
      return kS | LeaveTownStep();
    case Intent::MeetElmo:
      return kS | MeetElmoStep();
    case Intent::Stand:
      break;
  }
  return kS;
}

// The Merchant and the Bellboy are spoken to across the counter in front of
// them; everybody else face to face from a neighbouring cell.
std::uint32_t Bot::TalkControls(std::int32_t person) const {
  const TownLayout town = CurrentTown();
  const Cell at{actors[person].tileX, actors[person].tileY};
  struct Spot {
    Cell stand;
    std::int32_t facing;
  };
  std::vector<Spot> spots;
  if (IsCounterKeeper(person)) {
    if (IsCounter(town, Cell{at.x, at.y + 1})) spots.push_back({Cell{at.x, at.y + 2}, Up});
  } else {
    for (std::int32_t d = Up; d <= Right; ++d) {
      spots.push_back({Cell{at.x - directionStep[d].dx, at.y - directionStep[d].dy}, d});
    }
  }

  std::vector<Cell> stands;
  for (const Spot& spot : spots) {
    if (Same(HeroCell(), spot.stand)) return Arrow(spot.facing) | kA;
    if (IsGround(town, spot.stand)) stands.push_back(spot.stand);
  }
  if (stands.empty()) return 0;  // out of reach for now: wait for them to move
  return TownStepTowards(town, stands);
}
