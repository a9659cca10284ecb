// The game's sixteen sounds: six music loops and ten effects.
#pragma once

#include <filesystem>

// Writes intro.wav, button.wav, ... village.wav into dir: 8-bit unsigned mono
// PCM at 11025 samples per second.
void WriteSounds(const std::filesystem::path& dir);
