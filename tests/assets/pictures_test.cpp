// The generated pictures as the game's drawing code relies on them: sizes,
// magenta where figures are transparent, the pbattle rectangles filled, no
// figure colour that the 15-bit conversion turns into the key, and world
// tiles that meet without seams.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/bmp_file.h"
#include "platform/surface.h"
#include "world/tile_map.h"

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

// "bmp/world" or "icon": a 24-bit picture as the game's reader decodes it.
DecodedPicture Load(const std::string& stem) {
  const char* env = std::getenv("PQ_ASSET_DIR");
  std::ifstream f(std::filesystem::path(env ? env : PQ_ASSET_DIR) / (stem + ".bmp"),
                  std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)), {});
  std::string error;
  const auto picture = DecodeBmp(bytes, &error);
  EXPECT_TRUE(picture) << stem << ": " << error;
  return picture.value_or(DecodedPicture{});
}

std::uint32_t At(const DecodedPicture& p, int x, int y) {
  return p.rgb.at(PixelOffset(x, y, p.width));
}

// Counts keyed and drawn pixels of a box, whose top and bottom halves must
// both show something (a figure drawn half a box off would not); a drawn
// colour with magenta's top five bits would turn transparent in the game's
// 15-bit conversion.
void ExpectSprite(const DecodedPicture& p, int left, int top, int size, int tall,
                  const std::string& what) {
  int keyed = 0, drawn[2] = {};
  for (int y = top; y < top + tall; ++y)
    for (int x = left; x < left + size; ++x) {
      const std::uint32_t c = At(p, x, y);
      if (c == kMagenta) {
        ++keyed;
        continue;
      }
      ++drawn[2 * (y - top) / tall];
      ASSERT_NE(c & 0xF8F8F8, 0xF800F8u) << what << " at " << x << "," << y;
    }
  EXPECT_GT(std::min(drawn[0], drawn[1]), size * tall / 40) << what << " is empty in part";
  EXPECT_GT(keyed, 0) << what << " has no transparent background";
}

TEST(Pictures, AllHaveTheirSizes) {
  // Tile sheets are at least as tall as the highest code their map or tile
  // lists use; the rest have exact sizes.
  const struct {
    const char* stem;
    int width, height;
  } wants[] = {{"bmp/Village", 512, 96},  {"bmp/people", 64, 1408},  {"bmp/world", 512, 160},
               {"bmp/castle", 512, 128},  {"bmp/castle2", 512, 32},  {"bmp/battle1", 640, 480},
               {"bmp/battle2", 640, 480}, {"bmp/pbattle", 192, 288}, {"bmp/end", 640, 480},
               {"bmp/battle3", 640, 480}, {"bmp/over", 640, 480},    {"bmp/start", 640, 480},
               {"icon", 64, 64}};
  for (const auto& w : wants) {
    const DecodedPicture p = Load(w.stem);
    EXPECT_EQ(p.width, w.width) << w.stem;
    EXPECT_TRUE(w.width == 512 ? p.height >= w.height && p.height % 32 == 0 : p.height == w.height)
        << w.stem << ": " << p.height;
  }
}

TEST(Pictures, EveryFigureIsDrawnOnMagenta) {
  const DecodedPicture people = Load("bmp/people");
  for (int row = 0; row < 36; ++row)
    for (int x = 0; x < 64; x += 32) {
      ExpectSprite(people, x, row * 32, 32, 32, "frame row " + std::to_string(row));
      EXPECT_EQ(At(people, x, row * 32 + 31), kMagenta) << "frame row " << row;
    }
  ExpectSprite(people, 0, 1280, 64, 64, "Elmo picture 0");
  ExpectSprite(people, 0, 1344, 64, 64, "Elmo picture 1");

  const DecodedPicture pbattle = Load("bmp/pbattle");
  const struct {
    int left, top, size, tall;
    const char* what;
  } rects[] = {{0, 0, 64, 64, "hero 0"},        {64, 0, 64, 64, "hero 1"},
               {128, 0, 64, 64, "hero 2"},      {0, 64, 32, 32, "cursor"},
               {64, 64, 64, 64, "dragonfly 0"}, {64, 128, 64, 64, "dragonfly 1"},
               {128, 64, 64, 64, "stone 0"},    {128, 128, 64, 64, "stone 1"},
               {128, 192, 64, 96, "Elmo 0"},    {64, 192, 64, 96, "Elmo 1"},
               {0, 192, 64, 96, "Elmo 2"}};
  for (const auto& r : rects) ExpectSprite(pbattle, r.left, r.top, r.size, r.tall, r.what);

  const DecodedPicture icon = Load("icon");
  ExpectSprite(icon, 0, 0, 64, 64, "icon");
  EXPECT_EQ(At(icon, 0, 0), kMagenta);

  // The animated cell cycles squares 1, 3, 1, 4: three different flames.
  const DecodedPicture castle2 = Load("bmp/castle2");
  auto differ = [&](int a, int b) {
    for (int i = 0; i < 32 * 32; ++i)
      if (At(castle2, a * 32 + i % 32, i / 32) != At(castle2, b * 32 + i % 32, i / 32)) return true;
    return false;
  };
  EXPECT_TRUE(differ(1, 3) && differ(1, 4) && differ(3, 4));
}

// What a pixel of the world sheet shows, coarsely; outlines and shadows ('*')
// may end at a seam.
char Terrain(std::uint32_t c) {
  const int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
  if (r + g + b < 200) return '*';
  if (b > r + 30 && b >= g) return 'W';
  if (g > r + 15 && g > b + 10) return 'G';
  if (r > 150 && g > 100 && b < r - 30) return 'S';
  return 'R';
}

// Different world tiles that stand side by side on the map show the same
// terrain along their shared edge, so that a peak, a tree or the shore does
// not stop dead at a cell boundary. Left out: the building pictures, and the
// pairs where the map itself puts a half-filled edge against a full one (a
// rim beside the mountain interior, the slant, the end of a mountain rim). The coasts and the
// forest's edges are held closer: a beach cut off by the open sea or a crown sliced by a cell
// boundary shows at once.
TEST(Pictures, WorldTilesMeetWithoutSeams) {
  const DecodedPicture sheet = Load("bmp/world");
  auto grid = [](int x, int y) { return CodeAt(worldMap, x, y); };
  const std::set<std::pair<int, int>> halfAgainstFull = {{20, 17}, {17, 32}, {22, 55}, {53, 8},
                                                         {8, 55},  {8, 37},  {8, 22},  {8, 23},
                                                         {52, 0},  {22, 0},  {23, 0}};
  auto close = [](int code) {
    return code == 9 || code == 10 || code == 12 || code == 26 || (code >= 42 && code <= 46) ||
           (code >= 56 && code <= 60) || code == 62;
  };
  auto picture = [](int code) {
    return (code >= 13 && code <= 15) || (code >= 29 && code <= 31) || code >= 61;
  };
  auto at = [&](int code, int x, int y) {
    return Terrain(At(sheet, (code % 16) * 32 + x, (code / 16) * 32 + y));
  };
  std::set<std::pair<int, int>> checked;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      for (const bool across : {true, false}) {
        if ((across && x == 63) || (!across && y == 63)) continue;
        const int a = grid(x, y), b = across ? grid(x + 1, y) : grid(x, y + 1);
        if (a == b || picture(a) || picture(b) || halfAgainstFull.count({a, b})) continue;
        if (!checked.insert({across ? a : a + 1000, b}).second) continue;
        int differ = 0;
        for (int i = 0; i < 32; ++i) {
          const char ta = across ? at(a, 31, i) : at(a, i, 31);
          const char tb = across ? at(b, 0, i) : at(b, i, 0);
          differ += ta != '*' && tb != '*' && ta != tb;
        }
        EXPECT_LE(differ, close(a) || close(b) ? 2 : 8)
            << "codes " << a << (across ? " | " : " over ") << b;
      }
  EXPECT_GT(checked.size(), 100u);
}

// Where an edge of the forest, the mountains or the coast meets plain grass
// on the map, the edge tile shows plain grass along that side too, or the
// short shadow a crown or a peak casts on it: a crown, a peak or a beach that
// reached the seam would stop dead against the grass tile.
TEST(Pictures, EdgesBesideGrassAreGrass) {
  const DecodedPicture sheet = Load("bmp/world");
  auto at = [&](int code, int x, int y) {
    return At(sheet, (code % 16) * 32 + x, (code / 16) * 32 + y);
  };
  auto shadowOf = [](std::uint32_t c, std::uint32_t grass) {
    for (const int shift : {0, 8, 16}) {
      const int dark = static_cast<int>(std::lround(((grass >> shift) & 255) * 0.66));
      if (std::abs(static_cast<int>((c >> shift) & 255) - dark) > 1) return false;
    }
    return true;
  };
  auto edge = [](int code) {
    return (code >= 5 && code <= 10) || code == 12 || (code >= 21 && code <= 23) || code == 37 ||
           (code >= 42 && code <= 46) || (code >= 52 && code <= 60) || code == 62;
  };
  // Rims whose run ends on open grass: the map gives them no end piece.
  const std::set<std::pair<int, int>> runEnds = {{22, 0}, {23, 0}, {52, 0}};
  std::set<std::pair<int, int>> checked;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      for (const bool across : {true, false}) {
        if ((across && x == 63) || (!across && y == 63)) continue;
        const int a = CodeAt(worldMap, x, y),
                  b = across ? CodeAt(worldMap, x + 1, y) : CodeAt(worldMap, x, y + 1);
        if ((a == 0) == (b == 0) || !edge(a == 0 ? b : a)) continue;
        const int code = a == 0 ? b : a;
        if (runEnds.count({a, b}) || !checked.insert({across ? a : a + 1000, b}).second) continue;
        int stray = 0;
        for (int i = 0; i < 32; ++i) {
          // The pixel of the edge tile on the shared side, and the grass
          // tile's pixel at the same place.
          const int ex = across ? (a == 0 ? 0 : 31) : i, ey = across ? i : (a == 0 ? 0 : 31);
          const std::uint32_t c = at(code, ex, ey), grass = at(0, ex, ey);
          stray += c != grass && !shadowOf(c, grass);
        }
        EXPECT_LE(stray, 3) << "codes " << a << (across ? " | " : " over ") << b;
      }
  EXPECT_GT(checked.size(), 20u);
}

}  // namespace
