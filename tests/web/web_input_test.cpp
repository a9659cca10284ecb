// The web host's mapping of the page's keys, controller and pixels.
#include "host/web/web_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "host/key_codes.h"

// Keys by position: the game's keys and a few others; names that are not
// physical key codes, or that the table does not know, give none.
TEST(WebInput, KeysAreTakenByPositionAndUnknownOnesAreIgnored) {
  const std::pair<const char*, int> cases[] = {{"ArrowUp", DIK_UP},
                                               {"ArrowDown", DIK_DOWN},
                                               {"ArrowLeft", DIK_LEFT},
                                               {"ArrowRight", DIK_RIGHT},
                                               {"KeyA", DIK_A},
                                               {"KeyS", DIK_S},
                                               {"KeyZ", DIK_Z},
                                               {"Escape", DIK_ESCAPE},
                                               {"KeyQ", 0x10},
                                               {"NumpadEnter", 0x9C},
                                               {"keya", 0},
                                               {"a", 0},
                                               {"", 0},
                                               {"Unidentified", 0},
                                               {"IntlBackslash", 0}};
  for (const auto& [code, key] : cases) EXPECT_EQ(GameKeyFromCode(code), key) << code;
}

TEST(WebInput, ControllerStickDpadAndButtons) {
  const double nan = std::nan("");
  const struct {
    const char* what;
    double x, y;
    int held;  // a button index of the standard layout, -1 for none
    std::int32_t wantX, wantY;
    int wantButton;  // the game button it gives, -1 for none
  } cases[] = {
      {"centred", 0, 0, -1, 0, 0, -1},
      {"full left and up", -1, -1, -1, -32768, -32768, -1},
      {"full right and down", 1, 1, -1, 32767, 32767, -1},
      {"out of range is clamped", 3, -7, -1, 32767, -32768, -1},
      {"a broken axis is centred", nan, nan, -1, 0, 0, -1},
      {"d-pad left beats the stick", 1, 0, 14, -32768, 0, -1},
      {"d-pad down", 0, -1, 13, 0, 32767, -1},
      {"south confirms", 0, 0, 0, 0, 0, 1},
      {"east cancels", 0, 0, 1, 0, 0, 2},
      {"west opens the menu", 0, 0, 2, 0, 0, 0},
      {"north opens the menu", 0, 0, 3, 0, 0, 0},
      {"start opens the menu", 0, 0, 9, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const double axes[2] = {c.x, c.y};
    bool buttons[17] = {};
    if (c.held >= 0) buttons[c.held] = true;
    const PadSnapshot pad = PadFromStandardGamepad(axes, 2, buttons, 17);
    EXPECT_TRUE(pad.attached) << c.what;
    EXPECT_EQ(pad.x, c.wantX) << c.what;
    EXPECT_EQ(pad.y, c.wantY) << c.what;
    for (std::size_t b = 0; b < 3; ++b)
      EXPECT_EQ(pad.buttons[b], std::cmp_equal(b, c.wantButton)) << c.what;
  }
}

// Left and right on the d-pad at once cancel out; no axes at all is centred.
TEST(WebInput, ControllerWithFewAxesAndButtonsReadsCentred) {
  bool both[16] = {};
  both[14] = both[15] = true;
  const PadSnapshot pad = PadFromStandardGamepad(nullptr, 0, both, 16);
  EXPECT_EQ(pad.x, 0);
  EXPECT_EQ(pad.y, 0);
  const PadSnapshot bare = PadFromStandardGamepad(nullptr, 0, nullptr, 0);
  EXPECT_TRUE(bare.attached);
  EXPECT_FALSE(bare.buttons[0] || bare.buttons[1] || bare.buttons[2]);
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
