#include "game/bot.h"

#include <algorithm>
#include <climits>

#include "battle/battle_values.h"
#include "host/headless_script.h"
#include "host/host.h"
#include "shell/main_loop.h"
#include "state/game_state.h"
#include "state/player.h"
#include "world/direction.h"
#include "world/tile_lists.h"
#include "world/town_scene.h"

namespace {

// People by their PersonId, which is their actor slot too.
enum : std::int32_t { kMerchant = 1, kGirl, kBoy, kBellboy, kWoman, kSoldier, kMinister, kKing };
// The shop's rows.
enum : int { kNoItem = 0, kHerb, kSword, kShield };
constexpr std::int32_t kInnPrice = 30;
constexpr std::int32_t kBeforeElmoRow = 6;  // asking to go up from here meets him
constexpr unsigned kFar = UINT_MAX;

static_assert(kUp == 1u << Up && kDown == 1u << Down && kLeft == 1u << Left &&
              kRight == 1u << Right);
std::uint32_t Arrow(std::int32_t direction) {
  return direction == None ? 0 : 1u << direction;
}
// The place of a cell of the map in a table of all its cells, row by row.
std::size_t CellIndex(const TileMap& map, Cell cell) {
  return static_cast<std::size_t>(cell.y * map.width + cell.x);
}
Cell Neighbour(Cell cell, std::int32_t d) {
  return {cell.x + directionStep[d].dx, cell.y + directionStep[d].dy};
}
bool HeroAt(Cell cell) {
  return actors[0].tileX == cell.x && actors[0].tileY == cell.y;
}
// The picture of each place on the world map, by its GameState.
constexpr const std::uint8_t* kEntrance[] = {nullptr, nullptr, villageEntrance, castleEntrance,
                                             demonCastleEntrance};
bool InElmosCorridor(Cell cell) {
  return IsTileInList(CodeAt(demonCastleMap, cell.x, cell.y), demonCastleWalkable);
}

std::vector<Cell> Cells(const TileMap& map, const std::function<bool(Cell)>& pick) {
  std::vector<Cell> cells;
  for (std::int32_t r = 0; r < map.height; ++r) {
    for (std::int32_t c = 0; c < map.width; ++c) {
      if (pick({c, r})) cells.push_back({c, r});
    }
  }
  return cells;
}

// The hero's first step (as held arrows) on a shortest way to any of the
// goals over the cells `passable` allows; none at a goal or with no way.
// Breadth-first from all goals at once, so that every cell knows how far the
// nearest goal is; looked up afresh at every read, which copes with battles
// and with people in the way.
std::uint32_t StepTo(const TileMap& map, const std::vector<Cell>& goals,
                     const std::function<bool(Cell)>& passable) {
  std::vector<unsigned> distance(static_cast<std::size_t>(map.width * map.height), kFar);
  const auto at = [&](Cell cell) -> unsigned {
    return InsideMap(map, cell.x, cell.y) ? distance[CellIndex(map, cell)] : kFar;
  };
  std::vector<Cell> open;
  for (const Cell goal : goals) {
    if (!InsideMap(map, goal.x, goal.y) || at(goal) == 0) continue;
    distance[CellIndex(map, goal)] = 0;
    open.push_back(goal);
  }
  for (std::size_t i = 0; i < open.size(); ++i) {
    for (std::int32_t d = Up; d <= Right; ++d) {
      const Cell next = Neighbour(open[i], d);
      if (!InsideMap(map, next.x, next.y) || at(next) != kFar || !passable(next)) continue;
      distance[CellIndex(map, next)] = at(open[i]) + 1;
      open.push_back(next);
    }
  }
  // The nearer neighbour first in the order Up, Down, Left, Right.
  const Cell from{actors[0].tileX, actors[0].tileY};
  std::int32_t best = None;
  for (std::int32_t d = Up; d <= Right; ++d) {
    if (at(Neighbour(from, d)) < (best == None ? at(from) : at(Neighbour(from, best)))) best = d;
  }
  return Arrow(best);
}

bool WorldGround(Cell cell, std::int32_t place) {
  const std::uint8_t code = CodeAt(worldMap, cell.x, cell.y);
  if (!IsTileInList(code, worldWalkable)) return false;
  for (const std::int32_t other : {Village, Castle, DemonCastle}) {
    if (other != place && IsTileInList(code, kEntrance[other])) return false;
  }
  return true;
}

std::vector<Cell> EntranceCells(std::int32_t place) {
  return Cells(worldMap, [place](Cell c) {
    return IsTileInList(CodeAt(worldMap, c.x, c.y), kEntrance[place]) != 0;
  });
}

// In a town: where the hero may stand (the village's counters are no
// ground). People in the way are walked into: pushed, they move on.
const TileMap& TownMap() {
  return GameState == Castle ? castleMap : villageMap;
}
bool IsCounter(Cell cell) {
  return GameState == Village && InsideMap(villageMap, cell.x, cell.y) &&
         IsTileInList(CodeAt(villageMap, cell.x, cell.y), villageCounterTiles);
}
bool IsGround(Cell cell) {
  return InsideMap(TownMap(), cell.x, cell.y) && !IsCounter(cell) &&
         IsTileInList(CodeAt(TownMap(), cell.x, cell.y),
                      GameState == Castle ? castleWalkable : villageWalkable);
}

// The Merchant and the Bellboy are spoken to across the counter in front of
// them; everybody else face to face from a neighbouring cell.
std::uint32_t Talking(std::int32_t person) {
  const Cell at{actors[person].tileX, actors[person].tileY};
  const bool acrossCounter = GameState == Village && (person == kMerchant || person == kBellboy);
  if (acrossCounter && !IsCounter({at.x, at.y + 1})) return 0;  // wait for them to come back
  const std::int32_t reach = acrossCounter ? 2 : 1;
  std::vector<Cell> stands;
  for (std::int32_t d = Up; d <= (acrossCounter ? Up : Right); ++d) {
    const Cell stand{at.x - reach * directionStep[d].dx, at.y - reach * directionStep[d].dy};
    if (HeroAt(stand)) return Arrow(d) | kA;
    if (IsGround(stand)) stands.push_back(stand);
  }
  return StepTo(TownMap(), stands, IsGround);  // none in reach: wait for them to move
}

// Over `passable` cells to row `row`, then a step on towards `beyond`: over
// a town's bottom edge, or up into Elmo from the end of his corridor.
std::uint32_t ToRowThen(const TileMap& map, std::int32_t row, std::int32_t beyond,
                        const std::function<bool(Cell)>& passable) {
  if (actors[0].tileY == row) return Arrow(beyond);
  return StepTo(map, Cells(map, [&](Cell c) { return c.y == row && passable(c); }), passable);
}

// S is held while walking: it lets go a box that waits meanwhile (Elmo's
// words). To the picture of `place` on the world map, or to `cell` when the
// place is the world map itself.
std::uint32_t GoTo(std::int32_t place, Cell cell = {}) {
  return kS | StepTo(worldMap, place == WorldMap ? std::vector{cell} : EntranceCells(place),
                     [place](Cell c) { return WorldGround(c, place); });
}
std::uint32_t Leave() {
  return kS | ToRowThen(TownMap(), TownMap().height - 1, Down, IsGround);
}
std::uint32_t MeetElmo() {
  return kS | ToRowThen(demonCastleMap, kBeforeElmoRow, Up, InElmosCorridor);
}

bool Ready() {
  return Player.level >= Bot::kReadyLevel && Player.hasSword != 0 && Player.hasShield != 0;
}

// The shield first, as it is cheaper and keeps the hero alive; herbs with the
// change, up to four once ready for Elmo.
int Wish() {
  if (Player.hasShield == 0 && Player.gold >= 50) return kShield;
  if (Player.hasSword == 0 && Player.gold >= 90) return kSword;
  if (Player.herbs < (Ready() ? 4 : 2) && Player.gold >= 10) return kHerb;
  return kNoItem;
}

}  // namespace

// --- What is seen, and the keys held ----------------------------------------

void Bot::Observe(std::string_view line) {
  const std::string ev = Field(line, "ev");
  if (ev == "battle" || ev == "battle_end") inBattle_ = ev == "battle";
  if (ev == "battle_end") ++(Num(line, "won") == 1 ? wins : losses);
  if (ev == "state" && Num(line, "to") == Ending) ++endings;
  if (ev == "state" && Num(line, "to") == Title && endings + losses > 0) backAtTitle_ = true;
  if (ev == "player" && backAtTitle_ && Num(line, "level") == 1) {
    if (plan_ != Alternate) {
      freshGame_ = true;
    } else {  // the next game the other way, from its start
      playing_ = playing_ == Win ? Lose : Win;
      metKing_ = restedWhenReady_ = backAtTitle_ = false;
    }
  }
  if (ev == "shop_choice") inShop_ = false;
  if (ev == "yesno" && talkingTo_ == kMerchant && Num(line, "answer") == 1) {
    inShop_ = true;  // the price list opens after a YES
    shopRow_ = 1;
    lastMove_ = 0;
  }
  if (ev == "talk") {
    ++talks;
    inShop_ = false;
    talkingTo_ = static_cast<std::int32_t>(Num(line, "person"));
    if (talkingTo_ == kMerchant) shopWanted_ = Wish();
    if (talkingTo_ == kKing) metKing_ = true;
    if (talkingTo_ == kBellboy && Ready()) restedWhenReady_ = true;
  }
}

std::uint32_t Bot::Controls() {
  if (GameState == Title) return kS;  // skips the fades
  if (GameState == Ending || (Player.hp <= 0 && !inBattle_)) return kZ;
  if (inBattle_) {
    // ATTACK or HERB picked and confirmed in one pass; S lets the boxes go.
    // A herb when the monster's hardest blow (its attack less 2) could kill;
    // the losing player reaches for one in every battle after the King.
    const bool herb =
        playing_ == Lose ? metKing_ : Player.herbs > 0 && Player.hp <= currentMonster.attack - 2;
    return kA | kS | (herb ? kDown : kUp);
  }
  if (pendingTalk != 0) return Conversation();
  if (actors[0].stepLeft != 0 || actors[0].pause != 0) return kS;
  return Next();
}

// A answers every box and says YES. The price list reads the devices once a
// pass and moves its pointer a row when Up or Down was held at the read
// before, never past its ends.
std::uint32_t Bot::Conversation() {
  if (!inShop_) return kA;
  shopRow_ = std::clamp(shopRow_ + lastMove_, 1, 3);
  lastMove_ = (shopRow_ < shopWanted_) - (shopRow_ > shopWanted_);
  return lastMove_ > 0 ? kDown : lastMove_ < 0 ? kUp : kA;
}

// --- Plans ------------------------------------------------------------------

// Back and forth between two cells: every attempted step may start a battle.
std::uint32_t Bot::Pace(Cell a, Cell b) {
  if (HeroAt(leg_ == 0 ? a : b)) leg_ = 1 - leg_;
  return GoTo(WorldMap, leg_ == 0 ? a : b);
}

std::uint32_t Bot::Next() {
  if (playing_ == Win && (GameState == WorldMap || GameState == Village)) return WinNext();
  switch (GameState) {
    case WorldMap:  // to the King, then west of his castle until a battle is lost
      return metKing_ ? Pace({40, 44}, {46, 44}) : GoTo(Castle);
    case Castle:
      return metKing_ ? Leave() : Talking(kKing);
    case DemonCastle:
      return MeetElmo();
    default:
      return Leave();
  }
}

std::uint32_t Bot::WinNext() {
  const int wish = Wish();
  // Badly hurt; and once, whatever the hp, before setting out for the King.
  const bool rest =
      Player.gold >= kInnPrice && (Player.hp * 2 < Player.maxHp || (Ready() && !restedWhenReady_));
  if (GameState == Village) {
    if (wish == kShield || wish == kSword) return Talking(kMerchant);
    if (rest) return Talking(kBellboy);
    return wish == kHerb ? Talking(kMerchant) : Leave();
  }
  // Once on the way to Elmo only an empty bag and a bad wound turn him back.
  const bool errand =
      metKing_ ? Player.hp * 2 < Player.maxHp && Player.herbs == 0 : wish != kNoItem || rest;
  if (errand) return GoTo(Village);
  if (!Ready()) return Pace({46, 28}, {53, 28});  // the forest: battles twice as often
  return GoTo(metKing_ ? DemonCastle : Castle);
}

// --- A whole game -----------------------------------------------------------

bool BotGame::Play(Bot& bot, std::uint32_t limitMs, bool keepTrace,
                   const std::function<void(std::uint32_t)>& onRead) {
  const auto collect = [&] {
    for (auto& line : game.TakeTrace()) {
      bot.Observe(line);
      if (keepTrace) trace.push_back(std::move(line));
    }
  };
  collect();  // start-up's own lines
  game.host().SetReadHook([&](std::uint32_t now) {
    collect();
    if (onRead) onRead(now);
    if (bot.Finished()) return game.host().RequestQuit();  // this very read throws
    game.host().SetHeld(bot.Controls());
  });
  game.host().SetQuitAt(limitMs);
  try {
    for (;;) RunFrame();
  } catch (const QuitRequest&) {
  }
  collect();
  game.host().SetReadHook({});
  return bot.Finished();
}
