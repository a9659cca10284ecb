// The web host's mapping of the page's keys, controller and pixels.
#include "host/web/web_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "host/key_codes.h"

// Keys by position: the game's keys and a few others; names that are not
// physical key codes, or that the table does not know, give none.
TEST(WebInput, KeysAreTakenByPositionAndUnknownOnesAreIgnored) {
  const std::pair<const char*, int> known[] = {{"ArrowUp", DIK_UP},     {"ArrowDown", DIK_DOWN},
                                               {"ArrowLeft", DIK_LEFT}, {"ArrowRight", DIK_RIGHT},
                                               {"KeyA", DIK_A},         {"KeyS", DIK_S},
                                               {"KeyZ", DIK_Z},         {"Escape", DIK_ESCAPE},
                                               {"KeyQ", 0x10},          {"NumpadEnter", 0x9C}};
  for (const auto& [code, key] : known) EXPECT_EQ(GameKeyFromCode(code), key) << code;
  for (const char* code : {"keya", "a", "", "Unidentified", "IntlBackslash"})
    EXPECT_EQ(GameKeyFromCode(code), 0) << code;
}

// The stick's -1..1 to the full range, the d-pad over it, the face buttons to
// the game's three; only the axes and buttons the page gives are read.
TEST(WebInput, ControllerStickDpadAndButtons) {
  const double nan = std::nan("");
  const struct {
    const char* what;
    double x, y;
    std::vector<int> held;  // button indices of the standard layout
    std::int32_t wantX, wantY;
    int wantButton;  // the game button it gives, -1 for none
    int axes = 2, buttons = 17;
  } cases[] = {
      {"centred", 0, 0, {}, 0, 0, -1},
      {"full left and up", -1, -1, {}, -32768, -32768, -1},
      {"full right and down", 1, 1, {}, 32767, 32767, -1},
      {"out of range is clamped", 3, -7, {}, 32767, -32768, -1},
      {"a broken axis is centred", nan, nan, {}, 0, 0, -1},
      {"d-pad left beats the stick", 1, 0, {14}, -32768, 0, -1},
      {"d-pad down", 0, -1, {13}, 0, 32767, -1},
      {"d-pad left and right cancel out", 0.5, 0, {14, 15}, 16384, 0, -1},
      {"south confirms", 0, 0, {0}, 0, 0, 1},
      {"east cancels", 0, 0, {1}, 0, 0, 2},
      {"west opens the menu", 0, 0, {2}, 0, 0, 0},
      {"north opens the menu", 0, 0, {3}, 0, 0, 0},
      {"start opens the menu", 0, 0, {9}, 0, 0, 0},
      {"no axes: centred", 1, 1, {}, 0, 0, -1, 0},
      {"one axis", 1, 1, {}, 32767, 0, -1, 1},
      {"no buttons: none held", 0, 0, {0, 14}, 0, 0, -1, 2, 0},
  };
  for (const auto& c : cases) {
    const double axes[2] = {c.x, c.y};
    bool buttons[17] = {};
    for (const int b : c.held) buttons[b] = true;
    const PadSnapshot pad = PadFromStandardGamepad(axes, c.axes, buttons, c.buttons);
    EXPECT_TRUE(pad.attached) << c.what;
    EXPECT_EQ(pad.x, c.wantX) << c.what;
    EXPECT_EQ(pad.y, c.wantY) << c.what;
    for (std::size_t b = 0; b < 3; ++b)
      EXPECT_EQ(pad.buttons[b], std::cmp_equal(b, c.wantButton)) << c.what;
  }
}

TEST(WebInput, PixelsBecomeOpaqueRgbaAsTheScreenshotsShowThem) {
  const std::uint16_t in[] = {0x7FFF, 0x001F, 0x03E0, 0x7C00, 0x0000, 0x8000, 0x0421};
  const std::uint8_t want[][4] = {{255, 255, 255, 255}, {0, 0, 255, 255}, {0, 255, 0, 255},
                                  {255, 0, 0, 255},     {0, 0, 0, 255},   {0, 0, 0, 255},
                                  {8, 8, 8, 255}};
  std::uint8_t out[sizeof in / sizeof in[0] * 4] = {};
  PixelsToRgba(in, sizeof in / sizeof in[0], out);
  for (std::size_t i = 0; i < sizeof in / sizeof in[0]; ++i) {
    for (std::size_t c = 0; c < 4; ++c) EXPECT_EQ(out[i * 4 + c], want[i][c]) << i << "," << c;
  }
}
