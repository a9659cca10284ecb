// The SDL host's sound output: SDL's audio thread pulls the game's 11025 Hz
// mono mix and SDL resamples it to whatever the device asks for.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "host/host.h"

class SdlAudio {
 public:
  SdlAudio() = default;
  ~SdlAudio() { Close(); }
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  // Starts pulling from `source`; false when no device can be opened.
  bool Open(AudioSource& source);
  // Stops pulling; after it returns `source` is never called again.
  void Close();

 private:
  static void SDLCALL Fill(void* user, Uint8* out, int len);

  SDL_AudioDeviceID device_ = 0;
  SDL_AudioStream* stream_ = nullptr;
  AudioSource* source_ = nullptr;
  std::uint8_t silence_ = 0;
};
