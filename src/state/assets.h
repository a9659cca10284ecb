// The game's twelve pictures and sixteen sounds, and start-up.
#pragma once

#include <memory>

#include "platform/sound.h"
#include "platform/surface.h"

// Picture handles, named after their files; empty until loaded.
namespace pictures {
extern std::unique_ptr<Surface> Village, people, world, castle, castle2, battle1, battle2, pbattle,
    end, battle3, over, start;
}

// Sound handles, named after their files; -1 until loaded.
namespace sounds {
extern SoundId intro, button, button2, getitem, gameover, gameover2, world, castle2, battle,
    bbattle, g_arm, hp, pattack, eattack, castle, village;
}

// Opens the display, loads the pictures and sets their colour keys, opens the
// sound and loads the sounds, opens the input. 1 when it ran to the end; 0
// when the display or a picture failed (the reason is on standard error).
int StartUp();
// 1 when all sixteen sounds loaded; 0 at the first that failed.
int LoadSounds();
// Reloads every picture after the display lost its surfaces.
void RestoreAllPictures();
// Releases everything StartUp created, in order: sounds, input, pictures,
// display.
int ShutDown();
