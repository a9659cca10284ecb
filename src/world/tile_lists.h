// Tile lists: the codes of one terrain class (or one kind of special cell) on
// one map, ended by 255. The end marker is no member, so 255 is never found.
#pragma once

#include <cstdint>

inline constexpr std::uint8_t kEndOfList = 255;

// 1 if the code is in the list, else 0.
constexpr int IsTileInList(std::uint8_t code, const std::uint8_t* list) {
  for (; *list != kEndOfList; ++list) {
    if (*list == code) return 1;
  }
  return 0;
}

// What a figure of terrain class 1 may walk on.
inline constexpr std::uint8_t worldWalkable[] = {
    0,  1,  2,  3,  5,  13, 14, 15, 16, 17, 20, 29, 30, 31, 32, 36,        38, 42,
    43, 44, 45, 46, 49, 50, 51, 53, 55, 56, 57, 58, 59, 60, 61, 62,        63, 64,
    65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, kEndOfList};
inline constexpr std::uint8_t villageWalkable[] = {1,  2,  8,  9,  14, 16, 20, 22, 23, 24,
                                                   27, 29, 30, 31, 43, 44, 45, 46, 47, kEndOfList};
inline constexpr std::uint8_t castleWalkable[] = {0,  4,  5,  6,  7,  8,  9,  16, 18,        19,
                                                  20, 21, 32, 34, 36, 48, 49, 50, kEndOfList};
inline constexpr std::uint8_t demonCastleWalkable[] = {5, 6, 7, 8, 9, 10, kEndOfList};

// What a figure of terrain class 2 may walk on (only the world and the village
// have a second class; no figure of the built-in maps ever gets it).
inline constexpr std::uint8_t worldSecondary[] = {43, 44, 45, 56, 57, 59, kEndOfList};
inline constexpr std::uint8_t villageSecondary[] = {2, 8, kEndOfList};

// Forest and tall grass: only the head of a figure standing there shows, and
// on the world map battles break out twice as often.
inline constexpr std::uint8_t worldCoverTiles[] = {43, 44, 45, 56, 57, 59, kEndOfList};
inline constexpr std::uint8_t villageCoverTiles[] = {2, 8, 9, 10, kEndOfList};

// The shop and inn counters: nobody walks there, the hero speaks across them.
inline constexpr std::uint8_t villageCounterTiles[] = {34, 35, 36, kEndOfList};

// The pictures of the three places on the world map; stepping onto one enters
// the place (castle code 62 is scenery and leads nowhere).
inline constexpr std::uint8_t villageEntrance[] = {13, 14, 15, 29, 30, 31, kEndOfList};
inline constexpr std::uint8_t castleEntrance[] = {61, 63, 64, 65, 66, 67, 68, 69, 70, kEndOfList};
inline constexpr std::uint8_t demonCastleEntrance[] = {71, 72, 73, 74, 75,
                                                       76, 77, 78, 79, kEndOfList};
