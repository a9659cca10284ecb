// Tone and drum voices of the sound tool. Everything renders into float
// buffers at 11025 samples/s; levels are relative and scaled at the end.
#pragma once

#include <cstdint>
#include <vector>

enum class Wave { kPulse, kTriangle, kSaw, kSine, kNoise };

struct Instrument {
  Wave wave = Wave::kPulse;
  double duty = 0.5;        // pulse: share of the period spent high
  double attack = 0.005;    // seconds from silence to full level
  double decay = 0.15;      // seconds, time constant of the fall to the sustain level
  double sustain = 0.7;     // level held while the note is down
  double release = 0.05;    // seconds from the gate's end to silence
  double volume = 1.0;      // relative loudness in the mix
  double legato = 0.9;      // share of the written length that the gate is held
  double vibratoDepth = 0;  // semitones
  double vibratoRate = 5.5;
  double vibratoDelay = 0.25;  // seconds before the vibrato sets in
  double lowpass = 0;          // cutoff in Hz of a gentle filter; 0 for none
  double glide = 0;            // semitones the note starts away from its pitch
  double glideTime = 0.03;     // seconds to reach the pitch
  double fmRatio = 0;          // sine only: modulator frequency ratio for bell tones
  double fmIndex = 0;          // modulation depth, fading with the envelope
};

double MidiToHz(double midi);

// One note: held for gate samples, then released. The result starts and ends
// at silence.
std::vector<float> RenderTone(double hz, long gate, const Instrument& instrument,
                              std::uint32_t seed = 1);

enum class Drum { kKick, kSnare, kHat, kOpenHat, kTom, kTimpani, kCrash };

std::vector<float> RenderDrum(Drum drum, double hz = 0);

// Adds sound into mix from sample start, scaled by gain. A sound that runs past
// the end of mix fades to silence on its last sample, so a loop's end meets
// its beginning at the midpoint.
void MixInto(std::vector<float>& mix, long start, const std::vector<float>& sound,
             double gain = 1.0);

// A deterministic white-noise source for drums and effects.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / 8388608.0 - 1.0;
  }

 private:
  std::uint32_t state_;
};
