#include "platform/sound.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/data_files.h"
#include "platform/host_link.h"
#include "platform/trace.h"
#include "platform/wave_file.h"

namespace {

// What the mixer plays of one slot.
struct Voice {
  std::vector<std::int16_t> samples;
  std::size_t position = 0;
  bool playing = false;
  bool looping = false;
};

// Ownership: the game thread alone owns the slot records (`slots`); the mixer
// owns the voices, which the host's audio thread renders, and every touch of
// a voice from either side goes through one of these members under its lock.
class Mixer : public AudioSource {
 public:
  void Render(std::int16_t* out, std::size_t count) override {
    std::lock_guard<std::mutex> guard(lock_);
    if (out != nullptr) std::fill_n(out, count, std::int16_t{0});
    for (Voice& v : voices_) {
      if (!v.playing || v.samples.empty()) continue;
      std::size_t done = 0;
      while (done < count && v.playing) {
        const std::size_t n = std::min(count - done, v.samples.size() - v.position);
        if (out != nullptr) {
          for (std::size_t i = 0; i < n; ++i) {
            const std::int32_t s = out[done + i] + v.samples[v.position + i];
            out[done + i] = static_cast<std::int16_t>(std::clamp(s, -32768, 32767));
          }
        }
        done += n;
        v.position += n;
        if (v.position >= v.samples.size()) {
          v.position = 0;
          v.playing = v.looping;
        }
      }
    }
  }
  // Puts new samples (or none) into a voice, stopped.
  void Set(int id, std::vector<std::int16_t> samples) {
    std::lock_guard<std::mutex> guard(lock_);
    voices_[id] = Voice{std::move(samples)};
  }
  void Start(int id, bool looping) {
    std::lock_guard<std::mutex> guard(lock_);
    Voice& v = voices_[id];
    v.position = 0;
    v.looping = looping;
    v.playing = !v.samples.empty();
  }
  // Stops and rewinds; whether it was playing.
  bool Stop(int id) {
    std::lock_guard<std::mutex> guard(lock_);
    Voice& v = voices_[id];
    const bool was = v.playing;
    v.playing = false;
    v.looping = false;
    v.position = 0;
    return was;
  }
  int Status(int id) {
    std::lock_guard<std::mutex> guard(lock_);
    const Voice& v = voices_[id];
    return (v.playing ? kSoundPlaying : 0) | (v.playing && v.looping ? kSoundLooping : 0);
  }

 private:
  std::array<Voice, kSoundSlots> voices_;
  std::mutex lock_;
};

Mixer mixer;
std::array<SoundSlot, kSoundSlots> slots;
bool firstUse = true;
bool device = false;

bool Valid(SoundId id) {
  return id >= 0 && id < kSoundSlots && slots[id].hasBuffer;
}

// Empties every slot and its voice.
void ResetAllSlots() {
  for (int i = 0; i < kSoundSlots; ++i) {
    slots[i] = SoundSlot{};
    slots[i].id = static_cast<std::uint32_t>(i);
    mixer.Set(i, {});
  }
}

}  // namespace

int InitSound() {
  ResetAllSlots();
  if (firstUse) {
    firstUse = false;
    device = CurrentHost().OpenAudio(mixer);
    if (!device) return 0;
  }
  return 1;
}

bool SoundDeviceOpen() {
  return device;
}

SoundId LoadWave(const char* fileName, std::uint32_t /*capabilities*/, std::string* error) {
  std::string scratch;
  if (error == nullptr) error = &scratch;
  const auto free =
      std::find_if(slots.begin(), slots.end(), [](const SoundSlot& s) { return s.inUse == 0; });
  if (free == slots.end()) {
    *error = std::string(fileName) + ": all sound slots are taken";
    return -1;
  }
  const auto path = FindDataFile(fileName);
  if (!device) {
    *error = path.string() + ": no sound device";
    return -1;
  }
  std::string why;
  const auto bytes = ReadWholeFile(path, kMaxDataFileBytes, &why);
  if (!bytes) {
    *error = path.string() + ": " + why;
    return -1;
  }
  auto wave = ParseWave(*bytes, &why);
  if (!wave) {
    *error = path.string() + ": " + why;
    return -1;
  }
  const int id = static_cast<int>(free - slots.begin());
  SoundSlot& slot = slots[id];
  slot.sampleRate = wave->sampleRate;
  slot.dataSize = wave->dataSize;
  slot.inUse = 1;
  slot.hasBuffer = true;
  slot.name = path.stem().string();
  mixer.Set(id, std::move(wave->samples));
  return id;
}

int PlaySlot(SoundId id, std::uint32_t flags) {
  if (!Valid(id)) return 1;
  mixer.Start(id, (flags & kPlayLooped) != 0);
  TraceEvent("sound")
      .Str("op", "play")
      .Str("name", slots[id].name)
      .Int("loop", flags & kPlayLooped);
  return 1;
}

int StopSlot(SoundId id) {
  if (!Valid(id)) return 1;
  if (mixer.Stop(id)) TraceEvent("sound").Str("op", "stop").Str("name", slots[id].name);
  return 1;
}

int StopAllSlots() {
  TraceEvent("sound").Str("op", "stopall");
  for (SoundId id = 0; id < kSoundSlots; ++id) StopSlot(id);
  return 1;
}

int ReleaseSlot(SoundId id) {
  StopSlot(id);
  if (Valid(id)) {
    slots[id].hasBuffer = false;
    mixer.Set(id, {});
  }
  return 1;
}

int ReleaseAllSlots() {
  for (SoundId id = 0; id < kSoundSlots; ++id) ReleaseSlot(id);
  return 1;
}

int SlotStatus(SoundId id) {
  if (!Valid(id)) return -1;
  return mixer.Status(id);
}

int ShutdownSound() {
  StopAllSlots();
  if (device) CurrentHost().CloseAudio();
  device = false;
  ResetAllSlots();
  // A later InitSound opens the output again.
  firstUse = true;
  return 1;
}

const SoundSlot& SoundSlotAt(SoundId id) {
  static const SoundSlot none{};
  return id >= 0 && id < kSoundSlots ? slots[id] : none;
}
