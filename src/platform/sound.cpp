#include "platform/sound.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
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
  void Set(std::size_t slot, std::vector<std::int16_t> samples) {
    std::lock_guard<std::mutex> guard(lock_);
    voices_[slot] = Voice{std::move(samples)};
  }
  void Start(std::size_t slot, bool looping) {
    std::lock_guard<std::mutex> guard(lock_);
    Voice& v = voices_[slot];
    v.position = 0;
    v.looping = looping;
    v.playing = !v.samples.empty();
  }
  // Stops and rewinds; whether it was playing.
  bool Stop(std::size_t slot) {
    std::lock_guard<std::mutex> guard(lock_);
    Voice& v = voices_[slot];
    const bool was = v.playing;
    v.playing = false;
    v.looping = false;
    v.position = 0;
    return was;
  }
  int Status(std::size_t slot) {
    std::lock_guard<std::mutex> guard(lock_);
    const Voice& v = voices_[slot];
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

// Where a SoundId becomes a place in the table: the slot it names, or none
// for -1 and every other value outside the table.
std::optional<std::size_t> SlotOf(SoundId id) {
  if (id < 0 || id >= kSoundSlots) return std::nullopt;
  return static_cast<std::size_t>(id);
}

// The slot `id` names when that slot holds a sound.
std::optional<std::size_t> LoadedSlot(SoundId id) {
  const auto slot = SlotOf(id);
  if (!slot || !slots[*slot].hasBuffer) return std::nullopt;
  return slot;
}

// Empties every slot and its voice.
void ResetAllSlots() {
  for (std::size_t i = 0; i < slots.size(); ++i) {
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
  std::size_t free = 0;
  while (free < slots.size() && slots[free].inUse != 0) ++free;
  if (free == slots.size()) {
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
  SoundSlot& slot = slots[free];
  slot.sampleRate = wave->sampleRate;
  slot.dataSize = wave->dataSize;
  slot.inUse = 1;
  slot.hasBuffer = true;
  slot.name = path.stem().string();
  mixer.Set(free, std::move(wave->samples));
  return static_cast<SoundId>(free);  // below kSoundSlots
}

int PlaySlot(SoundId id, std::uint32_t flags) {
  const auto slot = LoadedSlot(id);
  if (!slot) return 1;
  mixer.Start(*slot, (flags & kPlayLooped) != 0);
  TraceEvent("sound")
      .Str("op", "play")
      .Str("name", slots[*slot].name)
      .Int("loop", flags & kPlayLooped);
  return 1;
}

int StopSlot(SoundId id) {
  const auto slot = LoadedSlot(id);
  if (!slot) return 1;
  if (mixer.Stop(*slot)) TraceEvent("sound").Str("op", "stop").Str("name", slots[*slot].name);
  return 1;
}

int StopAllSlots() {
  TraceEvent("sound").Str("op", "stopall");
  for (SoundId id = 0; id < kSoundSlots; ++id) StopSlot(id);
  return 1;
}

int ReleaseSlot(SoundId id) {
  StopSlot(id);
  if (const auto slot = LoadedSlot(id)) {
    slots[*slot].hasBuffer = false;
    mixer.Set(*slot, {});
  }
  return 1;
}

int ReleaseAllSlots() {
  for (SoundId id = 0; id < kSoundSlots; ++id) ReleaseSlot(id);
  return 1;
}

int SlotStatus(SoundId id) {
  const auto slot = LoadedSlot(id);
  if (!slot) return -1;
  return mixer.Status(*slot);
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
  const auto slot = SlotOf(id);
  return slot ? slots[*slot] : none;
}
