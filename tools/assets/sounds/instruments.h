// The few instruments every tune and effect draws on, so they sound of one
// band.
#pragma once

#include "sounds/synth.h"

// A bright pulse for melodies, with a vibrato that sets in on long notes.
inline Instrument PulseLead(double duty, double volume) {
  Instrument lead;
  lead.wave = Wave::kPulse;
  lead.duty = duty;
  lead.attack = 0.008;
  lead.decay = 0.25;
  lead.sustain = 0.6;
  lead.release = 0.06;
  lead.volume = volume;
  lead.vibratoDepth = 0.18;
  lead.vibratoDelay = 0.28;
  lead.lowpass = 3200;
  return lead;
}

// The round, soft bass under every tune.
inline Instrument TriangleBass(double volume) {
  Instrument bass;
  bass.wave = Wave::kTriangle;
  bass.attack = 0.004;
  bass.decay = 0.3;
  bass.sustain = 0.8;
  bass.release = 0.03;
  bass.volume = volume;
  bass.legato = 0.85;
  return bass;
}

// Short, quiet plucks for broken chords.
inline Instrument Pluck(double duty, double volume) {
  Instrument pluck;
  pluck.wave = Wave::kPulse;
  pluck.duty = duty;
  pluck.attack = 0.003;
  pluck.decay = 0.06;
  pluck.sustain = 0.25;
  pluck.release = 0.03;
  pluck.volume = volume;
  pluck.legato = 0.7;
  pluck.lowpass = 2500;
  return pluck;
}

// Held chords with a slow swell, dark and soft.
inline Instrument Pad(Wave wave, double volume) {
  Instrument pad;
  pad.wave = wave;
  pad.duty = 0.5;
  pad.attack = 0.12;
  pad.decay = 0.6;
  pad.sustain = 0.75;
  pad.release = 0.12;
  pad.volume = volume;
  pad.legato = 0.96;
  pad.lowpass = 900;
  pad.vibratoDepth = 0.07;
  pad.vibratoRate = 4.2;
  pad.vibratoDelay = 0.1;
  return pad;
}

// A flute-like triangle for calm tunes.
inline Instrument Flute(double volume) {
  Instrument flute;
  flute.wave = Wave::kTriangle;
  flute.attack = 0.03;
  flute.decay = 0.4;
  flute.sustain = 0.75;
  flute.release = 0.08;
  flute.volume = volume;
  flute.legato = 0.92;
  flute.vibratoDepth = 0.2;
  flute.vibratoRate = 5.0;
  flute.vibratoDelay = 0.2;
  return flute;
}

// A struck bell: a sine with a fading overtone.
inline Instrument Bell(double volume, double decay) {
  Instrument bell;
  bell.wave = Wave::kSine;
  bell.attack = 0.002;
  bell.decay = decay;
  bell.sustain = 0.0;
  bell.release = decay;
  bell.volume = volume;
  bell.legato = 1.0;
  bell.fmRatio = 3.5;
  bell.fmIndex = 1.6;
  return bell;
}
