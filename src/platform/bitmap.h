// Pictures: bitmap files loaded into surfaces of their own size, and the
// colour key that makes the sprite sheets' magenta transparent.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/bmp_file.h"
#include "platform/surface.h"

inline constexpr std::uint32_t E_FAIL = 0x80004005;

// Loads a game file name such as "bmp\\people.bmp" into a new surface of the
// picture's size (width and height 0) or scaled to width x height. Returns
// null when the file cannot be read or decoded; *error then says why, naming
// the file.
std::unique_ptr<Surface> LoadBitmapSurface(const char* fileName, int width, int height,
                                           std::string* error = nullptr);
// Loads the file again into an existing surface: 0, or E_FAIL with the
// surface unchanged.
std::uint32_t ReloadBitmap(Surface* surface, const char* fileName);
// Copies (and scales) the rectangle x, y, width, height of the picture over the
// whole surface; 0 width or height stand for the picture's own. 0 or E_FAIL.
std::uint32_t CopyBitmapToSurface(Surface* surface, const DecodedPicture* picture, int x, int y,
                                  int width, int height);
// The pixel value that the 0x00BBGGRR colour takes on the surface; for
// 0xFFFFFFFF the value of pixel (0, 0). 0xFFFFFFFF without a surface.
std::uint32_t MatchColour(Surface* surface, std::uint32_t rgb);
// Makes the surface's pixels of that colour transparent in keyed copies.
std::uint32_t SetColourKey(Surface* surface, std::uint32_t rgb);
