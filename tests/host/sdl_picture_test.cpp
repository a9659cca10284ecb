// Putting the picture on a window surface: where it lands, every pixel of the
// direct 32-bit path, and the blit used for other formats and tiny windows.
#include "host/sdl_picture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// 0xRRGGBB of a pixel of `s` (little-endian machine).
Uint32 RgbAt(const SDL_Surface* s, int x, int y) {
  Uint32 v = 0;
  const Uint8 bpp = s->format->BytesPerPixel;
  std::memcpy(&v, static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch + x * bpp, bpp);
  Uint8 r = 0, g = 0, b = 0;
  SDL_GetRGB(v, s->format, &r, &g, &b);
  return Uint32{r} << 16 | Uint32{g} << 8 | b;
}

// 0xRRGGBB of a 5-5-5 value, five bits widened to eight.
Uint32 Rgb(std::uint16_t v) {
  auto c = [v](int shift) {
    const Uint32 five = Uint32{v} >> shift & 31u;
    return five << 3 | five >> 2;
  };
  return c(10) << 16 | c(5) << 8 | c(0);
}

// The picture sits at the largest whole scale that fits, centred, or shrunk
// to 4:3 in a window too small for it. 32-bit surfaces get every pixel
// exactly; other formats and surfaces too small for the picture go through
// SDL's blit, checked in the middle of eight upright bars. One drawer serves
// every case, so its colour table must follow the format. Around the
// picture: black.
TEST(PictureDrawer, DrawsAtTheLargestWholeScaleOnEveryFormatWithBlackAround) {
  std::vector<std::uint16_t> busy(kScreenWidth * kScreenHeight), bars(busy.size());
  const std::uint16_t kBars[8] = {0x7FFF, 0x7FE0, 0x03FF, 0x03E0, 0x7C1F, 0x7C00, 0x001F, 0x4210};
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      // Neighbours differ in all three colours; bit 15 must be ignored.
      busy[ScreenOffset(x, y)] =
          static_cast<std::uint16_t>((x * 0x0421 + y * 0x1085) ^ (x % 7 == 0 ? 0x8000 : 0));
      bars[ScreenOffset(x, y)] = kBars[x / 80];
    }
  }
  PictureDrawer drawer;
  const struct {
    int w, h;
    Uint32 format;
    int scale, x, y, rw, rh;  // where the picture lands
  } cases[] = {
      {640, 480, SDL_PIXELFORMAT_RGB888, 1, 0, 0, 640, 480},
      {1920, 1080, SDL_PIXELFORMAT_RGB888, 2, 320, 60, 1280, 960},
      {1920, 1440, SDL_PIXELFORMAT_BGR888, 3, 0, 0, 1920, 1440},
      {2560, 1440, SDL_PIXELFORMAT_RGB888, 3, 320, 0, 1920, 1440},
      {1400, 1000, SDL_PIXELFORMAT_ARGB8888, 2, 60, 20, 1280, 960},
      {1280, 960, SDL_PIXELFORMAT_ABGR8888, 2, 0, 0, 1280, 960},
      {1280, 1024, SDL_PIXELFORMAT_RGB565, 2, 0, 32, 1280, 960},
      {1279, 1024, SDL_PIXELFORMAT_RGB24, 1, 319, 272, 640, 480},
      {800, 600, SDL_PIXELFORMAT_RGB555, 1, 80, 60, 640, 480},
      {400, 400, SDL_PIXELFORMAT_RGB888, 0, 0, 50, 400, 300},
      {800, 300, SDL_PIXELFORMAT_RGB888, 0, 200, 0, 400, 300},
      {640, 479, SDL_PIXELFORMAT_RGB888, 0, 1, 0, 638, 479},
  };
  const PicturePlace none = PlacePicture(0, 0);
  EXPECT_EQ((std::vector{none.scale, none.rect.w, none.rect.h}), (std::vector{0, 0, 0}));
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.w << " x " << c.h << " " << SDL_GetPixelFormatName(c.format));
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> s(
        SDL_CreateRGBSurfaceWithFormat(0, c.w, c.h, 0, c.format), &SDL_FreeSurface);
    ASSERT_TRUE(s);
    std::memset(s->pixels, 0x5A, static_cast<std::size_t>(s->pitch * c.h));  // stale garbage
    const PicturePlace place = PlacePicture(c.w, c.h);
    const SDL_Rect& r = place.rect;
    EXPECT_EQ((std::vector{place.scale, r.x, r.y, r.w, r.h}),
              (std::vector{c.scale, c.x, c.y, c.rw, c.rh}));
    const bool direct = s->format->BytesPerPixel == 4 && place.scale > 0;
    ASSERT_TRUE(drawer.Draw(direct ? busy.data() : bars.data(), s.get()));
    int wrong = 0;
    for (int y = 0; y < c.h; ++y) {
      for (int x = 0; x < c.w; ++x) {
        const bool inside = x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
        if (!inside) {
          wrong += RgbAt(s.get(), x, y) != 0;
        } else if (direct) {
          const std::size_t i = ScreenOffset((x - r.x) / place.scale, (y - r.y) / place.scale);
          wrong += RgbAt(s.get(), x, y) != Rgb(busy[i] & 0x7FFF);
        }
      }
    }
    EXPECT_EQ(wrong, 0) << "pixels wrong";
    if (SDL_ISPIXELFORMAT_ALPHA(c.format)) {
      EXPECT_EQ(static_cast<const Uint32*>(s->pixels)[r.y * s->pitch / 4 + r.x] >> 24, 255u)
          << "the picture is opaque";
    }
    for (int bar = 0; !direct && bar < 8; ++bar) {  // in the surface's precision, SDL's rounding
      const Uint32 want = Rgb(kBars[bar]);
      const Uint32 got = RgbAt(s.get(), r.x + (bar * 80 + 40) * r.w / kScreenWidth, r.y + r.h / 2);
      for (int shift = 0; shift < 24; shift += 8) {
        EXPECT_NEAR(static_cast<int>(got >> shift & 255), static_cast<int>(want >> shift & 255), 8)
            << "bar " << bar;
      }
    }
  }
}

}  // namespace
