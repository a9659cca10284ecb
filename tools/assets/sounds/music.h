// A tune: voices of notes and a drum part over a fixed number of ticks,
// rendered as one seamless loop.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "sounds/score.h"
#include "sounds/synth.h"

struct Voice {
  Instrument instrument;
  std::vector<NoteEvent> notes;
};

struct Song {
  std::string name;
  int samplesPerTick = 1378;  // a sixteenth at about 120 beats a minute
  int ticks = 0;              // the loop's length
  std::vector<Voice> voices;
  std::vector<DrumEvent> drums;
  double drumVolume = 0.5;
};

// The sixteenth's length in samples at a tempo in beats (quarters) a minute.
int SamplesPerSixteenth(double beatsPerMinute);

// An empty tune of ticks sixteenths at a tempo in beats a minute.
Song NewSong(std::string name, double beatsPerMinute, int ticks);

// Mixes every voice and the drums into exactly ticks x samplesPerTick
// samples. Whatever still sounds at the loop's end (a release, a cymbal)
// carries on into the loop's beginning, so the seam neither clicks nor
// drops out. Throws std::invalid_argument when a part runs past the loop.
std::vector<float> RenderSong(const Song& song);

// A melody that is sometimes doubled a step behind, for an echo of the lead:
// the same notes, delay ticks later, cut where the loop ends.
std::vector<NoteEvent> Echo(const std::vector<NoteEvent>& notes, int delay, int loopTicks);

// Several drum lines (say kick and snare in one, hats in another) played
// together.
std::vector<DrumEvent> LayerDrums(std::initializer_list<std::string_view> layers, int ticksPerBar);
