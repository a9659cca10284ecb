// Feeds arbitrary bytes to the sound load path as the game takes it: the
// file measured and read, parsed and converted into a slot of the table,
// then played for a moment through the mixer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "data_folder.h"
#include "host/headless_host.h"
#include "platform/host_link.h"
#include "platform/sound.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static HeadlessHost host;
  static const bool ready = [] {
    AttachHost(&host);
    return InitSound() == 1;
  }();
  if (!ready) __builtin_trap();
  InitSound();  // every input starts from an empty table
  std::string error;
  const std::string name = PutDataFile("wav", data, size);
  const SoundId id = LoadWave(name.c_str(), 0xE0, &error);
  if (id < 0) {
    if (error.find("fuzz.wav") == std::string::npos) __builtin_trap();  // names the file
    return 0;
  }
  if (SoundSlotAt(id).dataSize > size) __builtin_trap();  // claims bytes that are not there
  PlaySlot(id, kPlayLooped);
  host.Sleep(3);
  SlotStatus(id);
  StopAllSlots();
  return 0;
}
