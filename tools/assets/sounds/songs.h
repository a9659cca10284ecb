// The six music loops of the game.
#pragma once

#include "sounds/music.h"

Song WorldSong();       // the road: adventurous, D major
Song VillageSong();     // calm, a waltz in F major
Song CastleSong();      // stately, a processional in C major
Song DarkCastleSong();  // Elmo's castle: ominous, D minor
Song BattleSong();      // urgent, E minor
Song BossSong();        // Elmo's battle: more urgent still, D minor
