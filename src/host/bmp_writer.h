// Writing screenshots as 24-bit bitmap files.
#pragma once

#include <string>

#include "host/host.h"

// Writes the 5-5-5 picture as an uncompressed 24-bit bitmap, replacing the
// file; false on failure, with *error (when given) naming the file and why.
bool WriteScreenshot(const std::string& path, const ScreenView& screen,
                     std::string* error = nullptr);

// Writes the picture under the first free name pimquest-001.bmp to
// pimquest-9999.bmp in the current folder. Each name is created anew, never
// opened when it exists, not even as a link, so nothing is overwritten.
// Returns the name; empty with *error set when nothing could be written.
std::string WriteNumberedScreenshot(const ScreenView& screen, std::string* error);
