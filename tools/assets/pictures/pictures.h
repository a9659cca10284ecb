// The game's twelve pictures and its window icon.
#pragma once

#include <filesystem>

// Writes the twelve pictures (Village.bmp, people.bmp, world.bmp, ...) into dir.
void WritePictures(const std::filesystem::path& dir);
// Writes the window icon, a 64 x 64 picture whose magenta is transparent.
void WriteIcon(const std::filesystem::path& file);
// Writes the desktop icon as pimquest-N.png for N = 16, 32, 48, 64, 128, 256.
void WriteIconPngs(const std::filesystem::path& dir);
