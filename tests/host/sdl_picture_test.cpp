// Putting the picture on a window surface: where it lands, every pixel of the
// direct 32-bit path, and the blit used for other formats and tiny windows.
#include "host/sdl_picture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

SurfacePtr MakeSurface(int w, int h, Uint32 format) {
  SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 0, format), &SDL_FreeSurface);
  // Garbage to start with, as a fresh window surface may hold.
  if (s) std::memset(s->pixels, 0x5A, static_cast<std::size_t>(s->pitch) * h);
  return s;
}

Uint32 PixelAt(const SDL_Surface* s, int x, int y) {
  const auto* p =
      static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
  Uint32 v = 0;
  std::memcpy(&v, p, s->format->BytesPerPixel);  // little-endian machine
  return v;
}

// 0xRRGGBB of a pixel of `s`.
Uint32 RgbAt(const SDL_Surface* s, int x, int y) {
  Uint8 r = 0, g = 0, b = 0;
  SDL_GetRGB(PixelAt(s, x, y), s->format, &r, &g, &b);
  return Uint32{r} << 16 | Uint32{g} << 8 | b;
}

// 0xRRGGBB of a 5-5-5 value, five bits widened to eight.
Uint32 Rgb(std::uint16_t v) {
  auto c = [v](int shift) {
    const Uint32 five = (v >> shift) & 31;
    return five << 3 | five >> 2;
  };
  return c(10) << 16 | c(5) << 8 | c(0);
}

// A picture in which neighbouring pixels differ in all three colours, with
// bit 15 set here and there (it must be ignored, not read past the table).
std::vector<std::uint16_t> Busy() {
  std::vector<std::uint16_t> p(kPictureWidth * kPictureHeight);
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      p[y * kPictureWidth + x] =
          static_cast<std::uint16_t>((x * 0x0421 + y * 0x1085) ^ (x % 7 == 0 ? 0x8000 : 0));
    }
  }
  return p;
}

// Eight upright bars of 80 pixels: survives any nearest-pixel scaling.
std::vector<std::uint16_t> Bars() {
  static const std::uint16_t kBars[8] = {0x7FFF, 0x7FE0, 0x03FF, 0x03E0,
                                         0x7C1F, 0x7C00, 0x001F, 0x4210};
  std::vector<std::uint16_t> p(kPictureWidth * kPictureHeight);
  for (int i = 0; i < kPictureWidth * kPictureHeight; ++i) p[i] = kBars[i % kPictureWidth / 80];
  return p;
}

// Every pixel outside `rect` is black.
void ExpectBlackAround(const SDL_Surface* s, const SDL_Rect& rect) {
  int wrong = 0;
  for (int y = 0; y < s->h; ++y) {
    for (int x = 0; x < s->w; ++x) {
      const bool inside = x >= rect.x && x < rect.x + rect.w && y >= rect.y && y < rect.y + rect.h;
      if (!inside && RgbAt(s, x, y) != 0) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0) << "pixels not black around the picture";
}

TEST(PlacePicture, LargestWholeScaleCentredElseShrunkToFourByThree) {
  struct Case {
    int w, h, scale;
    SDL_Rect rect;
  };
  const Case cases[] = {
      {640, 480, 1, {0, 0, 640, 480}},
      {1280, 960, 2, {0, 0, 1280, 960}},
      {1920, 1080, 2, {320, 60, 1280, 960}},
      {1279, 1024, 1, {319, 272, 640, 480}},
      {2560, 1440, 3, {320, 0, 1920, 1440}},
      {320, 240, 0, {0, 0, 320, 240}},
      {800, 300, 0, {200, 0, 400, 300}},
      {640, 479, 0, {1, 0, 638, 479}},
      {0, 0, 0, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
    const PicturePlace p = PlacePicture(c.w, c.h);
    EXPECT_EQ(p.scale, c.scale);
    EXPECT_EQ(p.rect.x, c.rect.x);
    EXPECT_EQ(p.rect.y, c.rect.y);
    EXPECT_EQ(p.rect.w, c.rect.w);
    EXPECT_EQ(p.rect.h, c.rect.h);
  }
}

TEST(PictureDrawer, ThirtyTwoBitSurfacesGetEveryPixelAsAWholeBlock) {
  const std::vector<std::uint16_t> picture = Busy();
  PictureDrawer drawer;  // one drawer across formats: its table must follow
  struct Case {
    int w, h;
    Uint32 format;
  };
  const Case cases[] = {{640, 480, SDL_PIXELFORMAT_RGB888},
                        {1920, 1080, SDL_PIXELFORMAT_RGB888},
                        {1920, 1440, SDL_PIXELFORMAT_BGR888},
                        {1400, 1000, SDL_PIXELFORMAT_ARGB8888},
                        {1280, 960, SDL_PIXELFORMAT_ABGR8888}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.w << " x " << c.h << " " << SDL_GetPixelFormatName(c.format));
    SurfacePtr s = MakeSurface(c.w, c.h, c.format);
    ASSERT_TRUE(s);
    ASSERT_TRUE(drawer.Draw(picture.data(), s.get()));
    const PicturePlace place = PlacePicture(c.w, c.h);
    int wrong = 0;
    for (int y = 0; y < place.rect.h; ++y) {
      for (int x = 0; x < place.rect.w; ++x) {
        const std::uint16_t v = picture[(y / place.scale) * kPictureWidth + x / place.scale];
        if (RgbAt(s.get(), place.rect.x + x, place.rect.y + y) != Rgb(v & 0x7FFF) && ++wrong < 4) {
          ADD_FAILURE() << "pixel " << x << "," << y << " of the picture";
        }
      }
    }
    EXPECT_EQ(wrong, 0);
    ExpectBlackAround(s.get(), place.rect);
    if (SDL_ISPIXELFORMAT_ALPHA(c.format)) {
      Uint8 r, g, b, a;
      SDL_GetRGBA(PixelAt(s.get(), place.rect.x, place.rect.y), s->format, &r, &g, &b, &a);
      EXPECT_EQ(a, 255) << "the picture is opaque";
    }
  }
}

TEST(PictureDrawer, OtherFormatsAndTooSmallSurfacesGoThroughTheBlit) {
  const std::vector<std::uint16_t> picture = Bars();
  PictureDrawer drawer;
  struct Case {
    int w, h;
    Uint32 format;
  };
  const Case cases[] = {{1280, 1024, SDL_PIXELFORMAT_RGB565},
                        {1280, 960, SDL_PIXELFORMAT_RGB24},
                        {800, 600, SDL_PIXELFORMAT_RGB555},
                        {400, 400, SDL_PIXELFORMAT_RGB888}};  // shrunk: 400 x 300
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.w << " x " << c.h << " " << SDL_GetPixelFormatName(c.format));
    SurfacePtr s = MakeSurface(c.w, c.h, c.format);
    ASSERT_TRUE(s);
    ASSERT_TRUE(drawer.Draw(picture.data(), s.get()));
    const PicturePlace place = PlacePicture(c.w, c.h);
    // The middle of every bar, in the surface's own precision.
    for (int bar = 0; bar < 8; ++bar) {
      const int x = place.rect.x + (bar * 80 + 40) * place.rect.w / kPictureWidth;
      const int y = place.rect.y + place.rect.h / 2;
      const Uint32 want = Rgb(picture[bar * 80]);
      Uint8 r, g, b;
      SDL_GetRGB(SDL_MapRGB(s->format, want >> 16, (want >> 8) & 255, want & 255), s->format, &r,
                 &g, &b);
      // SDL's blit rounds its own way: a step of the surface's precision.
      const Uint32 got = RgbAt(s.get(), x, y);
      for (const int shift : {16, 8, 0}) {
        const int channel = (shift == 16 ? r : shift == 8 ? g : b);
        EXPECT_NEAR(static_cast<int>((got >> shift) & 255), channel, 6) << "bar " << bar;
      }
    }
    ExpectBlackAround(s.get(), place.rect);
  }
}

}  // namespace
