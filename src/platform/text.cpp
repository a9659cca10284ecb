#include <string_view>

#include "platform/display.h"
#include "platform/font.h"
#include "platform/visible.h"

int DrawTextAt(const char* text, int x, int y, std::uint32_t colour, Surface* surface) {
  if (surface == nullptr || text == nullptr) return 0;
  const std::uint16_t pixel = PixelFromColorref(colour);
  int penX = x;
  for (const char byte : std::string_view(text)) {
    // The font is looked up by the byte's value, 0 to 255.
    const Glyph& glyph = FontGlyph(static_cast<unsigned char>(byte));
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
