// The built-in maps against facts that can be read off the listing, and the
// tile lists that give their cells meaning.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "world/tile_lists.h"
#include "world/tile_map.h"

namespace {

std::vector<int> Row(const TileMap& map, int row, int firstColumn, int lastColumn) {
  std::vector<int> codes;
  for (int c = firstColumn; c <= lastColumn; ++c) codes.push_back(CodeAt(map, c, row));
  return codes;
}

using Codes = std::vector<int>;

TEST(MapGrids, SizesAreAsBuilt) {
  EXPECT_EQ(worldMap.width, 64);
  EXPECT_EQ(worldMap.height, 64);
  EXPECT_EQ(villageMap.width, 32);
  EXPECT_EQ(villageMap.height, 32);
  EXPECT_EQ(castleMap.width, 32);
  EXPECT_EQ(castleMap.height, 32);
  EXPECT_EQ(demonCastleMap.width, 20);
  EXPECT_EQ(demonCastleMap.height, 32);
}

TEST(MapGrids, WorldPlacesStandWhereTheEntrancesSay) {
  EXPECT_EQ(CodeAt(worldMap, 45, 45), 0);  // the first start cell
  EXPECT_EQ(Row(worldMap, 47, 47, 49), (Codes{13, 14, 15}));
  EXPECT_EQ(Row(worldMap, 48, 47, 49), (Codes{29, 30, 31}));
  EXPECT_EQ(Row(worldMap, 40, 50, 52), (Codes{61, 63, 64}));
  EXPECT_EQ(Row(worldMap, 41, 50, 52), (Codes{65, 66, 67}));
  EXPECT_EQ(Row(worldMap, 42, 50, 52), (Codes{68, 69, 70}));
  EXPECT_EQ(Row(worldMap, 8, 6, 8), (Codes{71, 72, 73}));
  EXPECT_EQ(Row(worldMap, 9, 6, 8), (Codes{74, 75, 76}));
  EXPECT_EQ(Row(worldMap, 10, 6, 8), (Codes{77, 78, 79}));
  // The corners tell a shifted row at once.
  EXPECT_EQ(CodeAt(worldMap, 0, 0), 0x08);
  EXPECT_EQ(CodeAt(worldMap, 63, 0), 0x08);
  EXPECT_EQ(CodeAt(worldMap, 63, 40), 0x09);
  EXPECT_EQ(CodeAt(worldMap, 0, 63), 0x1A);
  EXPECT_EQ(CodeAt(worldMap, 63, 63), 0x1A);
}

TEST(MapGrids, EveryEntranceCodeOnTheWorldIsInsideItsPicture) {
  for (int r = 0; r < 64; ++r) {
    for (int c = 0; c < 64; ++c) {
      const std::uint8_t code = CodeAt(worldMap, c, r);
      if (IsTileInList(code, villageEntrance)) {
        EXPECT_TRUE(c >= 47 && c <= 49 && r >= 47 && r <= 48) << c << "," << r;
      }
      if (IsTileInList(code, castleEntrance)) {
        EXPECT_TRUE(c >= 50 && c <= 52 && r >= 40 && r <= 42) << c << "," << r;
      }
      if (IsTileInList(code, demonCastleEntrance)) {
        EXPECT_TRUE(c >= 6 && c <= 8 && r >= 8 && r <= 10) << c << "," << r;
      }
    }
  }
}

TEST(MapGrids, VillageCountersSitBelowTheShopkeepers) {
  EXPECT_EQ(Row(villageMap, 17, 27, 29), (Codes{34, 35, 35}));
  EXPECT_EQ(Row(villageMap, 20, 13, 15), (Codes{34, 35, 35}));
  // Behind the counters only two cells each can be walked on, so the Merchant
  // and the Bellboy never wander off.
  EXPECT_EQ(Row(villageMap, 16, 26, 30), (Codes{0x18, 0x25, 0x18, 0x18, 0x0A}));
  EXPECT_EQ(Row(villageMap, 19, 13, 16), (Codes{0x25, 0x18, 0x18, 0x0A}));
  for (auto [c, r] : {std::pair{27, 16}, {30, 16}, {13, 19}, {16, 19}}) {
    EXPECT_FALSE(IsTileInList(CodeAt(villageMap, c, r), villageWalkable)) << c << "," << r;
  }
  for (auto [c, r] : {std::pair{28, 16}, {29, 16}, {14, 19}, {15, 19}}) {
    EXPECT_TRUE(IsTileInList(CodeAt(villageMap, c, r), villageWalkable)) << c << "," << r;
  }
  EXPECT_EQ(CodeAt(villageMap, 0, 0), 0x02);
  EXPECT_EQ(CodeAt(villageMap, 31, 31), 0x01);
}

TEST(MapGrids, CastleBottomRowOpensOnlyInTheGateway) {
  for (int c = 0; c < 32; ++c) {
    const bool walkable = IsTileInList(CodeAt(castleMap, c, 31), castleWalkable) != 0;
    EXPECT_EQ(walkable, c >= 14 && c <= 17) << "column " << c;
  }
}

TEST(MapGrids, DemonCastleIsOneCorridorFlankedByFlames) {
  int flames = 0;
  for (int r = 0; r < 32; ++r) {
    for (int c = 9; c <= 11; ++c) EXPECT_EQ(CodeAt(demonCastleMap, c, r), 5) << c << "," << r;
    const bool gate = r == 0 || r == 5;
    for (int c : {8, 12}) {
      const int code = CodeAt(demonCastleMap, c, r);
      if (gate) {
        EXPECT_EQ(code, 11) << c << "," << r;
      } else {
        EXPECT_TRUE(code == 6 || code == 7 || code == 8) << c << "," << r;
      }
    }
    for (int c = 0; c < 20; ++c) {
      if (c >= 8 && c <= 12) continue;
      const int code = CodeAt(demonCastleMap, c, r);
      EXPECT_TRUE(code == 0 || code == 1 || code == 2) << c << "," << r;
      if (code == 1) ++flames;
    }
  }
  EXPECT_EQ(flames, 8);
}

TEST(MapGrids, StartCellsAreWalkable) {
  EXPECT_TRUE(IsTileInList(CodeAt(worldMap, 45, 45), worldWalkable));
  EXPECT_TRUE(IsTileInList(CodeAt(worldMap, 48, 49), worldWalkable));
  EXPECT_TRUE(IsTileInList(CodeAt(worldMap, 51, 43), worldWalkable));
  EXPECT_TRUE(IsTileInList(CodeAt(villageMap, 15, 29), villageWalkable));
  for (auto [c, r] : {std::pair{29, 16}, {20, 20}, {21, 21}, {15, 19}, {10, 16}, {20, 9}}) {
    EXPECT_TRUE(IsTileInList(CodeAt(villageMap, c, r), villageWalkable)) << c << "," << r;
  }
  for (auto [c, r] : {std::pair{16, 30}, {14, 28}, {14, 18}, {16, 16}}) {
    EXPECT_TRUE(IsTileInList(CodeAt(castleMap, c, r), castleWalkable)) << c << "," << r;
  }
  EXPECT_TRUE(IsTileInList(CodeAt(demonCastleMap, 10, 31), demonCastleWalkable));
}

TEST(TileLists, TheEndMarkerIsNoMember) {
  const std::uint8_t empty[] = {kEndOfList};
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(IsTileInList(static_cast<std::uint8_t>(code), empty), 0);
  }
  EXPECT_EQ(IsTileInList(255, worldWalkable), 0);
  EXPECT_EQ(IsTileInList(0, worldWalkable), 1);
  EXPECT_EQ(IsTileInList(79, worldWalkable), 1);
  EXPECT_EQ(IsTileInList(80, worldWalkable), 0);
  EXPECT_EQ(IsTileInList(62, castleEntrance), 0);  // scenery beside the gate
  EXPECT_EQ(IsTileInList(10, demonCastleWalkable), 1);
  EXPECT_EQ(IsTileInList(11, demonCastleWalkable), 0);
}

}  // namespace
