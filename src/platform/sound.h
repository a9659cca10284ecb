// The 64-slot sound table and its software mixer.
#pragma once

#include <cstdint>
#include <string>

using SoundId = int;  // slot index 0 to 63; -1 is no sound

inline constexpr int kSoundSlots = 64;

// SlotStatus bits.
inline constexpr int kSoundPlaying = 1;
inline constexpr int kSoundLooping = 4;

// PlaySlot flags.
inline constexpr std::uint32_t kPlayOnce = 0;
inline constexpr std::uint32_t kPlayLooped = 1;

struct SoundSlot {
  bool hasBuffer = false;
  std::uint32_t inUse = 0;
  std::uint32_t sampleRate = 0;
  std::uint32_t dataSize = 0;
  std::uint32_t id = 0;
  std::string name;  // the file's stem, for the event trace
};

// Opens the sound output (the first time) and empties the table. 0 when there
// is no sound device: the game then runs silent and every load gives -1.
int InitSound();
// Whether InitSound found a sound device.
bool SoundDeviceOpen();
// Loads a game file such as "wav\\world.wav" into the first free slot. -1 when
// no slot is free, there is no sound device or the file cannot be read; then
// *error (if given) says why, naming the file.
SoundId LoadWave(const char* fileName, std::uint32_t capabilities, std::string* error = nullptr);
int PlaySlot(SoundId id, std::uint32_t flags);
int StopSlot(SoundId id);
int StopAllSlots();
int ReleaseSlot(SoundId id);
int ReleaseAllSlots();
// -1 without a buffer, else kSoundPlaying | kSoundLooping as they apply.
int SlotStatus(SoundId id);
int ShutdownSound();

// The slot record, for inspection.
const SoundSlot& SoundSlotAt(SoundId id);
