// The music of a scene: started looped from its beginning unless it is
// already looping, so whatever stopped it (a battle stops every sound) makes
// it start over.
#pragma once

#include "platform/sound.h"

void KeepMusicLooping(SoundId music);
