// The game's twelve pictures and its window icon.
#pragma once

#include <filesystem>

// Writes the twelve pictures (Village.bmp, people.bmp, world.bmp, ...) into dir.
void WritePictures(const std::filesystem::path& dir);
// Writes the window icon, a 64 x 64 picture whose magenta is transparent.
void WriteIcon(const std::filesystem::path& file);
