#include "state/music.h"

void KeepMusicLooping(SoundId music) {
  if (SlotStatus(music) != (kSoundPlaying | kSoundLooping)) PlaySlot(music, kPlayLooped);
}
