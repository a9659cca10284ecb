// The 640 x 480 display: the visible FrontSurface and its hidden BackBuffer,
// colour fills, clipped copies, text and the present that swaps the two.
#pragma once

#include <cstdint>

#include "host/host.h"  // kScreenWidth, kScreenHeight
#include "platform/surface.h"

// Copy modes of BlitClipped.
inline constexpr std::uint32_t kCopyOpaque = 0;
inline constexpr std::uint32_t kCopyKeyed = 1;  // skip the source's colour key
inline constexpr std::uint32_t kCopyWait = 16;  // opaque, waiting for the blitter

// Raw colours the game uses.
inline constexpr std::uint16_t kRawWhite = 0x7FFF;
inline constexpr std::uint16_t kRawBlue = 0x001F;
inline constexpr std::uint16_t kRawBlack = 0x0000;

// Text colours, 0x00BBGGRR.
inline constexpr std::uint32_t kTextWhite = 0xFFFFFF;
inline constexpr std::uint32_t kTextYellow = 0x32FFFF;
inline constexpr std::uint32_t kTextRed = 0x0000FF;

// Null until InitDisplay, null again after ShutdownDisplay. They always name
// the visible and the hidden picture; a present swaps pictures, not names.
extern Surface* FrontSurface;
extern Surface* BackBuffer;

// Opens the display (only 640 x 480 at 16 bits exists). 1 on success, 0 when
// another mode is asked for.
int InitDisplay(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel);
int ShutdownDisplay();
// Shows the BackBuffer and swaps the pictures; paced at 60 per second.
int PresentFrame();
int FillSurface(Surface* surface, std::uint16_t colour);
// Fills left..right-1, top..bottom-1. Clipped to the surface for safety.
int FillRect(int left, int top, int right, int bottom, std::uint16_t colour, Surface* surface);
// Draws text (up to its NUL) with its cell's top-left corner at (x, y), in the
// 0x00BBGGRR colour, leaving the background untouched. Returns 1, or 0 with
// nothing drawn when there is no surface.
int DrawTextAt(const char* text, int x, int y, std::uint32_t colour, Surface* surface);
// Copies r of source to (x, y) of dest, clipped to 640 x 480; clips r in place.
void BlitClipped(Surface* dest, int x, int y, Surface* source, Rect& r, std::uint32_t mode);
// Copies the whole of a full-screen picture onto dest, waiting for the blitter.
void BlitFullScreen(Surface* dest, Surface* picture);
