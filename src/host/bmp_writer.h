// Writing screenshots as 24-bit bitmap files.
#pragma once

#include <string>

#include "host/host.h"

// Writes the 5-5-5 picture as an uncompressed 24-bit bitmap; false on failure.
bool WriteScreenshot(const std::string& path, const ScreenView& screen);
