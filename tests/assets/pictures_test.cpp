// Checks the layouts of the generated pictures that the game's drawing code
// relies on: sizes, magenta where figures are transparent, the pbattle
// rectangles filled, and no figure colour that the 15-bit conversion would
// turn into the colour key.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // top-down, 3 bytes per pixel
  bool ok = false;
  std::uint32_t At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return (rgb[i] << 16) | (rgb[i + 1] << 8) | rgb[i + 2];
  }
};

constexpr std::uint32_t kMagenta = 0xFF00FF;

std::filesystem::path AssetDir() {
  if (const char* env = std::getenv("PQ_ASSET_DIR")) return env;
  return PQ_ASSET_DIR;
}

std::uint32_t U32(const std::vector<std::uint8_t>& d, std::size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) |
         (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

Picture Load(const std::filesystem::path& file) {
  Picture p;
  std::ifstream f(file, std::ios::binary);
  std::vector<std::uint8_t> d((std::istreambuf_iterator<char>(f)), {});
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return p;
  const std::uint32_t offset = U32(d, 10);
  p.width = static_cast<int>(U32(d, 18));
  const auto h = static_cast<std::int32_t>(U32(d, 22));
  const int bpp = d[28] | (d[29] << 8);
  if (U32(d, 14) != 40 || bpp != 24 || U32(d, 30) != 0 || h <= 0) return p;
  p.height = h;
  const std::size_t stride = (static_cast<std::size_t>(p.width) * 3 + 3) & ~std::size_t{3};
  if (d.size() < offset + stride * p.height) return p;
  p.rgb.resize(static_cast<std::size_t>(p.width) * p.height * 3);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const std::size_t src = offset + (p.height - 1 - y) * stride + x * 3;
      const std::size_t dst = (static_cast<std::size_t>(y) * p.width + x) * 3;
      p.rgb[dst] = d[src + 2], p.rgb[dst + 1] = d[src + 1], p.rgb[dst + 2] = d[src];
    }
  p.ok = true;
  return p;
}

Picture LoadBmp(const std::string& stem) {
  return Load(AssetDir() / "bmp" / (stem + ".bmp"));
}

// A colour the game's 15-bit conversion maps onto the key: same top 5 bits as magenta.
bool NearMagenta(std::uint32_t c) {
  return ((c >> 19) & 31) == 31 && ((c >> 11) & 31) == 0 && ((c >> 3) & 31) == 31;
}

struct Box {
  int left, top, right, bottom;
};

// Counts keyed and drawn pixels of a box; fails on a drawn pixel near magenta.
void ExpectSprite(const Picture& p, Box b, const std::string& what) {
  int keyed = 0, drawn = 0;
  for (int y = b.top; y < b.bottom; ++y)
    for (int x = b.left; x < b.right; ++x) {
      const std::uint32_t c = p.At(x, y);
      if (c == kMagenta) {
        ++keyed;
      } else {
        ++drawn;
        ASSERT_FALSE(NearMagenta(c)) << what << " at " << x << "," << y;
      }
    }
  EXPECT_GT(drawn, (b.right - b.left) * (b.bottom - b.top) / 20) << what << " is nearly empty";
  EXPECT_GT(keyed, 0) << what << " has no transparent background";
}

TEST(Pictures, AllTwelveHaveTheirSizes) {
  struct Want {
    const char* stem;
    int width, minHeight;
  };
  // Tile sheets are as tall as the highest code their map or tile lists use.
  const Want wants[] = {{"Village", 512, 96},  {"people", 64, 1408},  {"world", 512, 160},
                        {"castle", 512, 128},  {"castle2", 512, 32},  {"battle1", 640, 480},
                        {"battle2", 640, 480}, {"pbattle", 192, 288}, {"end", 640, 480},
                        {"battle3", 640, 480}, {"over", 640, 480},    {"start", 640, 480}};
  for (const Want& w : wants) {
    const Picture p = LoadBmp(w.stem);
    ASSERT_TRUE(p.ok) << w.stem << ".bmp missing or not a 24-bit uncompressed BMP";
    EXPECT_EQ(p.width, w.width) << w.stem;
    EXPECT_GE(p.height, w.minHeight) << w.stem;
    if (w.width == 512) {
      EXPECT_EQ(p.height % 32, 0) << w.stem;
    }
    if (w.width == 640) {
      EXPECT_EQ(p.height, 480) << w.stem;
    }
  }
}

TEST(Pictures, EveryFigureFrameIsDrawnOnMagenta) {
  const Picture p = LoadBmp("people");
  ASSERT_TRUE(p.ok);
  for (int row = 0; row < 36; ++row)
    for (int col = 0; col < 2; ++col) {
      const int x = col * 32, y = row * 32;
      ExpectSprite(p, {x, y, x + 32, y + 32}, "frame row " + std::to_string(row));
      EXPECT_EQ(p.At(x, y + 31), kMagenta) << "frame row " << row;
    }
  ExpectSprite(p, {0, 1280, 64, 1344}, "Elmo picture 0");
  ExpectSprite(p, {0, 1344, 64, 1408}, "Elmo picture 1");
}

TEST(Pictures, BattleSpritesFillTheirRectangles) {
  const Picture p = LoadBmp("pbattle");
  ASSERT_TRUE(p.ok);
  const struct {
    Box box;
    const char* what;
  } rects[] = {{{0, 0, 64, 64}, "hero 0"},          {{64, 0, 128, 64}, "hero 1"},
               {{128, 0, 192, 64}, "hero 2"},       {{0, 64, 32, 96}, "cursor"},
               {{64, 64, 128, 128}, "dragonfly 0"}, {{64, 128, 128, 192}, "dragonfly 1"},
               {{128, 64, 192, 128}, "stone 0"},    {{128, 128, 192, 192}, "stone 1"},
               {{128, 192, 192, 288}, "Elmo 0"},    {{64, 192, 128, 288}, "Elmo 1"},
               {{0, 192, 64, 288}, "Elmo 2"}};
  for (const auto& r : rects) ExpectSprite(p, r.box, r.what);
}

TEST(Pictures, AnimatedCellHasThreeDifferentFlames) {
  const Picture p = LoadBmp("castle2");
  ASSERT_TRUE(p.ok);
  auto differ = [&](int a, int b) {
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (p.At(a * 32 + x, y) != p.At(b * 32 + x, y)) return true;
    return false;
  };
  EXPECT_TRUE(differ(1, 3));
  EXPECT_TRUE(differ(1, 4));
  EXPECT_TRUE(differ(3, 4));
}

TEST(Pictures, IconIsSixtyFourSquareWithTransparentMagenta) {
  const Picture p = Load(AssetDir() / "icon.bmp");
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.width, 64);
  EXPECT_EQ(p.height, 64);
  ExpectSprite(p, {0, 0, 64, 64}, "icon");
  EXPECT_EQ(p.At(0, 0), kMagenta);
}

// What a pixel of the world sheet shows, coarsely: outlines and shadows are
// left out ('*'), since they may end at a seam.
char Terrain(std::uint32_t c) {
  const int r = c >> 16, g = (c >> 8) & 255, b = c & 255;
  if (r + g + b < 200) return '*';
  if (b > r + 30 && b >= g) return 'W';
  if (g > r + 15 && g > b + 10) return 'G';
  if (r > 150 && g > 100 && b < r - 30) return 'S';
  return 'R';
}

// The world grid as the game holds it: one string of hex codes per row.
std::vector<std::vector<int>> WorldGrid() {
  std::ifstream f(std::filesystem::path(PQ_SOURCE_DIR) / "src/world/world_map_grid.cpp");
  const std::regex row("\"([0-9A-Fa-f]{128})\"");
  std::vector<std::vector<int>> grid;
  for (std::string line; std::getline(f, line);) {
    std::smatch m;
    if (!std::regex_search(line, m, row)) continue;
    std::vector<int> codes;
    for (int i = 0; i < 64; ++i)
      codes.push_back(std::stoi(m[1].str().substr(i * 2, 2), nullptr, 16));
    grid.push_back(codes);
  }
  return grid;
}

// Every pair of different world tiles that stand side by side on the map must
// show the same terrain along their shared edge, so that a peak, a tree or the
// shore does not stop dead at a cell boundary. The pairs left out are where the
// map itself puts a half-filled edge against a full one (the ends of the
// straight coast, a rim beside the mountain interior, the slanted patch) and
// the building pictures.
TEST(Pictures, WorldTilesMeetWithoutSeams) {
  const Picture sheet = LoadBmp("world");
  ASSERT_TRUE(sheet.ok);
  const auto grid = WorldGrid();
  ASSERT_EQ(grid.size(), 64u);
  const std::set<std::pair<int, int>> halfAgainstFull = {
      {26, 10}, {10, 26}, {10, 12}, {9, 10}, {20, 17}, {17, 32}, {22, 55},
      {53, 8},  {8, 55},  {8, 37},  {8, 22}, {8, 23},  {52, 0}};
  auto picture = [](int code) {
    return (code >= 13 && code <= 15) || (code >= 29 && code <= 31) || code >= 61;
  };
  auto at = [&](int code, int x, int y) {
    return sheet.At((code % 16) * 32 + x, (code / 16) * 32 + y);
  };
  std::set<std::pair<int, int>> checked;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      for (const bool across : {true, false}) {
        if ((across && x == 63) || (!across && y == 63)) continue;
        const int a = grid[y][x], b = across ? grid[y][x + 1] : grid[y + 1][x];
        if (a == b || picture(a) || picture(b) || halfAgainstFull.count({a, b})) continue;
        if (!checked.insert({across ? a : a + 1000, b}).second) continue;
        int differ = 0;
        for (int i = 0; i < 32; ++i) {
          const char ta = Terrain(across ? at(a, 31, i) : at(a, i, 31));
          const char tb = Terrain(across ? at(b, 0, i) : at(b, i, 0));
          differ += ta != '*' && tb != '*' && ta != tb;
        }
        EXPECT_LE(differ, 8) << "codes " << a << (across ? " | " : " over ") << b;
      }
  EXPECT_GT(checked.size(), 100u);
}

}  // namespace
