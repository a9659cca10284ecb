#include <string_view>

#include "platform/display.h"
#include "platform/font.h"
#include "platform/visible.h"

int DrawTextAt(const char* text, int x, int y, std::uint32_t colour, Surface* surface) {
  if (surface == nullptr || text == nullptr) return 0;
  const std::uint16_t pixel = PixelFromColorref(colour);
  int penX = x;
  for (unsigned char c : std::string_view(text)) {
    const Glyph& glyph = FontGlyph(c);
    for (int row = 0; row < kFontHeight; ++row) {
      const int py = y + row;
      if (py < 0 || py >= surface->height) continue;
      const std::uint8_t bits = glyph.rows[row];
      for (int col = 0; col < 8; ++col) {
        const int px = penX + col;
        if ((bits & (0x80 >> col)) != 0 && px >= 0 && px < surface->width) {
          surface->At(px, py) = pixel;
        }
      }
    }
    penX += glyph.advance;
  }
  NoteDrawn(surface);
  return 1;
}
