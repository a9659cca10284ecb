// A small written notation for the game's tunes, counted in ticks (a tick
// is a sixteenth note unless a tune says otherwise).
//
//   melody  "E5:4 G5:2 r:2 | F#5:8 Bb4"  note, octave, ':' length; a missing
//                                        length repeats the last; r rests
//   chords  "Em:16 C:8 D7:8"             root, quality (m, 7, m7, maj7, dim,
//                                        sus4, sus2), length
//   drums   "k.h.s.h.|k.hks.h."          one letter per tick, '.' for none
//
// A '|' marks a bar line and must fall on a whole bar: a slip in a tune
// shows up as an error instead of a lopsided loop.
#pragma once

#include <string_view>
#include <vector>

#include "sounds/synth.h"

struct NoteEvent {
  int tick;
  int length;
  int midi;  // 60 is the C in the middle of the keyboard
};

struct ChordEvent {
  int tick;
  int length;
  int root;                    // pitch class, 0 for C
  std::vector<int> intervals;  // from the root, the triad first
};

struct DrumEvent {
  int tick;
  Drum drum;
  double hz;
  double gain;
};

// The tones of a chord figure: 0 root, 1 third, 2 fifth, 3 the root an
// octave up, and so on along the triad; -1 the fifth below the root.
struct Figure {
  int tick;
  int length;
  int degree;
};

// Each parser throws std::invalid_argument naming the offending token.
std::vector<NoteEvent> ParseMelody(std::string_view text, int ticksPerBar);
std::vector<ChordEvent> ParseChords(std::string_view text, int ticksPerBar);
// k kick, s snare, h hat, o open hat, c crash, t and T low and high timpani,
// l, m and n low, middle and high toms; a capital K or S is an accent.
std::vector<DrumEvent> ParseDrums(std::string_view text, int ticksPerBar);

// Repeats a figure of figureLength ticks through every chord, the root placed
// in the octave from lowest upwards; figures are cut off where a chord ends.
std::vector<NoteEvent> Arrange(const std::vector<ChordEvent>& chords,
                               const std::vector<Figure>& figure, int figureLength, int lowest);

// Every tone of every chord held for the chord's length (a pad), the root
// placed in the octave from lowest upwards.
std::vector<NoteEvent> Sustain(const std::vector<ChordEvent>& chords, int lowest);

// The same notes a number of semitones higher (or lower).
std::vector<NoteEvent> Transpose(std::vector<NoteEvent> notes, int semitones);

// The end of the last note or chord, in ticks.
int EndTick(const std::vector<NoteEvent>& notes);
