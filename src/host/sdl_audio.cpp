#include "host/sdl_audio.h"

#include <dlfcn.h>

#include <algorithm>

namespace {

extern "C" void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA prints its own complaints (an unknown device, no card) on standard
// error before SDL can report the failure; we say "no sound device" once
// instead. SDL loads ALSA by itself, so its error handler is set through
// the same library, where it exists at all.
void QuietAlsa() {
  static bool done = false;
  if (done) return;
  done = true;
  void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
  if (alsa == nullptr) return;
  using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
  using SetHandler = int (*)(Handler);
  if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) {
    set(IgnoreAlsaError);
  }
  // Stays loaded: the handler is kept inside it.
}

// Mix-rate samples rendered per top-up of the resampler: small enough that
// the game's mixer lock is held only briefly, large enough to be cheap.
constexpr int kMixChunk = 128;
}  // namespace

// Runs on SDL's audio thread; the game's mixer locks against the game thread.
void SDLCALL SdlAudio::Fill(void* user, Uint8* out, int len) {
  auto* self = static_cast<SdlAudio*>(user);
  std::int16_t mix[kMixChunk];
  // Top the resampler up from the game's mix until it holds a whole buffer.
  for (int guard = 0; guard < 256 && SDL_AudioStreamAvailable(self->stream_) < len; ++guard) {
    self->source_->Render(mix, kMixChunk);
    if (SDL_AudioStreamPut(self->stream_, mix, sizeof mix) != 0) break;
  }
  int got = SDL_AudioStreamGet(self->stream_, out, len);
  if (got < 0) got = 0;
  if (got < len) std::fill(out + got, out + len, self->silence_);
}

bool SdlAudio::Open(AudioSource& source) {
  Close();
  QuietAlsa();
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;

  // Ask for the device's own rate and channels; SDL resamples our mix.
  SDL_AudioSpec preferred{};
  char* deviceName = nullptr;
  const bool known = SDL_GetDefaultAudioInfo(&deviceName, &preferred, 0) == 0;
  SDL_free(deviceName);
  SDL_AudioSpec want{};
  want.freq = known && preferred.freq > 0 ? preferred.freq : 48000;
  want.channels = known && preferred.channels > 0 ? preferred.channels : 2;
  want.format = AUDIO_S16SYS;
  want.samples = 1024;
  want.callback = Fill;
  want.userdata = this;
  SDL_AudioSpec have{};
  source_ = &source;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_ANY_CHANGE);
  if (device_ == 0) {
    source_ = nullptr;
    return false;
  }
  stream_ = SDL_NewAudioStream(AUDIO_S16SYS, 1, kMixRate, have.format, have.channels, have.freq);
  if (stream_ == nullptr) {
    Close();
    return false;
  }
  silence_ = have.silence;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlAudio::Close() {
  // Closing the device waits for a running callback, so the source is free
  // from here on.
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  device_ = 0;
  if (stream_ != nullptr) SDL_FreeAudioStream(stream_);
  stream_ = nullptr;
  source_ = nullptr;
}
