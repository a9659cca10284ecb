#include "sounds/effects.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

#include "sounds/instruments.h"
#include "sounds/score.h"
#include "sounds/synth.h"
#include "sounds/wav_file.h"

namespace {

long Samples(double seconds) {
  return std::lround(seconds * kSampleRate);
}

// Lays sounds on a timeline that grows as they are added.
class Timeline {
 public:
  void Add(double atSeconds, const std::vector<float>& sound, double gain = 1.0) {
    const long start = Samples(atSeconds);
    const auto end = static_cast<std::size_t>(start) + sound.size();
    if (mix_.size() < end) mix_.resize(end, 0.0f);
    MixInto(mix_, start, sound, gain);
  }
  void Note(double atSeconds, double midi, double seconds, const Instrument& instrument) {
    Add(atSeconds, RenderTone(MidiToHz(midi), Samples(seconds), instrument));
  }
  // A written phrase, one tick lasting tickSeconds.
  void Phrase(double atSeconds, const char* melody, double tickSeconds,
              const Instrument& instrument) {
    for (const NoteEvent& note : ParseMelody(melody, 1))
      Note(atSeconds + note.tick * tickSeconds, note.midi,
           note.length * tickSeconds * instrument.legato, instrument);
  }
  void PadTo(double seconds) {
    mix_.resize(std::max(mix_.size(), static_cast<std::size_t>(Samples(seconds))), 0.0f);
  }
  std::vector<float> Take() { return std::move(mix_); }

 private:
  std::vector<float> mix_;
};

// Noise through a band-pass filter whose centre slides from one frequency
// to another: the swish of a blade, the rush of a blow.
std::vector<float> SweptNoise(double seconds, double fromHz, double toHz, double q, double attack,
                              double decay, std::uint32_t seed) {
  const long length = Samples(seconds);
  std::vector<float> out(static_cast<std::size_t>(length));
  Noise noise(seed);
  double bandState = 0.0, lowState = 0.0;
  for (long i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double hz = fromHz * std::pow(toHz / fromHz, t / seconds);
    // A state-variable filter in its trapezoidal form stays stable up to the
    // top of the band, which the slash needs.
    const double g = std::tan(std::numbers::pi * std::min(hz, 5000.0) / kSampleRate);
    const double k = 1.0 / q;
    const double high = (noise.Next() - (k + g) * bandState - lowState) / (1.0 + k * g + g * g);
    const double band = g * high + bandState;
    bandState = g * high + band;
    const double low = g * band + lowState;
    lowState = g * band + low;
    const double level = std::min(1.0, t / attack) * std::exp(-t / decay) *
                         std::min(1.0, static_cast<double>(length - 1 - i) / 60.0);
    out[static_cast<std::size_t>(i)] = static_cast<float>(band * level);
  }
  return out;
}

}  // namespace

std::vector<float> ButtonSound() {
  Instrument blip = Pluck(0.25, 1.0);
  blip.decay = 0.02;
  blip.sustain = 0.3;
  blip.release = 0.015;
  blip.lowpass = 4000;
  Timeline sound;
  sound.Note(0.0, 91, 0.03, blip);  // G6
  return sound.Take();
}

std::vector<float> BoxSound() {
  Instrument pop = Pluck(0.5, 1.0);
  pop.glide = -9;
  pop.glideTime = 0.05;
  pop.decay = 0.05;
  pop.release = 0.03;
  pop.lowpass = 3500;
  Timeline sound;
  sound.Note(0.0, 79, 0.06, pop);  // G5 sliding up from below
  pop.glide = -5;
  sound.Note(0.055, 86, 0.06, pop);  // then D6
  return sound.Take();
}

std::vector<float> ItemSound() {
  Instrument sparkle = Pluck(0.25, 0.8);
  sparkle.decay = 0.08;
  sparkle.sustain = 0.4;
  Timeline sound;
  sound.Phrase(0.0, "G5:1 B5:1 D6:1 G6:1", 0.055, sparkle);
  const Instrument bell = Bell(0.7, 0.35);
  sound.Note(0.22, 95, 0.3, bell);  // B6
  sound.Note(0.22, 91, 0.3, bell);  // G6
  sparkle.decay = 0.2;
  sound.Note(0.22, 98, 0.25, sparkle);  // D7
  return sound.Take();
}

std::vector<float> FanfareSound() {
  constexpr double kTick = 0.085;
  Instrument brass = PulseLead(0.5, 0.8);
  brass.attack = 0.015;
  brass.lowpass = 2800;
  brass.legato = 0.85;
  Instrument second = PulseLead(0.25, 0.45);
  second.legato = 0.85;
  Timeline sound;
  sound.Phrase(0.0, "G4:1 C5:1 E5:1 G5:3 E5:1 G5:1 C6:10", kTick, brass);
  sound.Phrase(0.0, "E4:1 G4:1 C5:1 E5:3 C5:1 E5:1 G5:10", kTick, second);
  sound.Phrase(0.0, "C3:3 G2:3 C3:2 C3:10", kTick, TriangleBass(1.0));
  sound.Add(8 * kTick, RenderDrum(Drum::kCrash), 0.5);
  sound.Add(6 * kTick, RenderDrum(Drum::kSnare), 0.4);
  sound.Add(7 * kTick, RenderDrum(Drum::kSnare), 0.4);
  sound.Add(8 * kTick, RenderDrum(Drum::kTimpani, 65.4), 0.7);
  return sound.Take();
}

std::vector<float> HealSound() {
  Timeline sound;
  const char* rising[] = {"C6:1", "E6:1", "G6:1", "C7:1", "E7:1"};
  for (int step = 0; step < 5; ++step)
    sound.Phrase(step * 0.075, rising[step], 0.3, Bell(0.6, 0.45));
  Instrument shimmer = PulseLead(0.125, 0.25);
  shimmer.glide = -12;
  shimmer.glideTime = 0.35;
  shimmer.vibratoDepth = 0;
  sound.Note(0.0, 84, 0.35, shimmer);  // C6, sliding up an octave
  return sound.Take();
}

std::vector<float> SlashSound() {
  Timeline sound;
  sound.Add(0.0, SweptNoise(0.26, 4200, 700, 2.5, 0.015, 0.09, 11));
  Instrument ring = Bell(0.12, 0.12);
  ring.fmRatio = 2.9;
  sound.Note(0.02, 100, 0.05, ring);  // a thin metallic edge
  return sound.Take();
}

std::vector<float> ThudSound() {
  Timeline sound;
  Instrument body;
  body.wave = Wave::kSine;
  body.attack = 0.003;
  body.decay = 0.09;
  body.sustain = 0.0;
  body.release = 0.08;
  body.glide = 16;
  body.glideTime = 0.09;
  sound.Note(0.0, 36, 0.16, body);  // C2, dropping from above
  sound.Add(0.0, SweptNoise(0.2, 700, 160, 1.2, 0.002, 0.04, 23), 0.6);
  return sound.Take();
}

// The title's music: a rising chime, then a slow tune over held chords that
// lasts through the credit line, "- PRESENTS -" and the title's fades
// (about 12.6 s) and comes to rest just as the start picture's music begins.
std::vector<float> IntroSound() {
  constexpr double kTick = 0.11;
  Timeline sound;
  sound.Phrase(0.0, "D5:1 F#5:1 A5:1 D6:1 E6:1 A6:1", kTick, Bell(0.55, 0.8));
  Instrument swell = Pad(Wave::kPulse, 0.3);
  swell.attack = 0.9;
  swell.decay = 2.0;
  swell.sustain = 0.8;
  swell.release = 1.0;
  swell.lowpass = 1500;
  constexpr double kStart = 6 * kTick;
  const struct {
    double at, seconds;
    std::initializer_list<int> tones;
  } chords[] = {{0.0, 3.0, {50, 57, 62, 66, 76}},  // D with a ninth
                {3.0, 3.0, {47, 54, 62, 66}},      // B minor
                {6.0, 3.0, {43, 55, 59, 62}},      // G
                {9.0, 1.8, {45, 57, 61, 64}},      // A
                {10.8, 1.2, {50, 57, 62, 66}}};    // home to D
  for (const auto& chord : chords)
    for (int midi : chord.tones) sound.Note(kStart + chord.at, midi, chord.seconds, swell);
  Instrument tune = Flute(0.6);
  tune.release = 0.6;
  sound.Phrase(kStart + 0.3, "A5:4 F#5:2 E5:2 D5:2 F#5:4 B4:4", 0.3, tune);
  sound.Phrase(kStart + 6.0, "D5:3 E5:2 G5:4 A5:3 E5:2 D5:4", 0.3, tune);
  sound.Note(kStart + 12.0 - 0.1, 86, 0.1, Bell(0.4, 1.0));  // D6 to close
  return sound.Take();
}

namespace {

constexpr double kLamentTick = 0.15;
constexpr double kLamentSeconds = 48 * kLamentTick + 0.9;  // both halves end together

}  // namespace

std::vector<float> LamentMelody() {
  Instrument voice = Flute(0.9);
  voice.release = 0.5;
  Timeline sound;
  sound.Phrase(0.0, "E5:6 D5:2 C5:4 B4:4 C5:4 A4:4 G#4:4 B4:4 A4:16", kLamentTick, voice);
  sound.PadTo(kLamentSeconds);
  return sound.Take();
}

std::vector<float> LamentBass() {
  Instrument bass = TriangleBass(1.0);
  bass.release = 0.5;
  Timeline sound;
  sound.Phrase(0.0, "A2:8 G2:8 F2:8 E2:8 A2:16", kLamentTick, bass);
  Instrument choir = Pad(Wave::kPulse, 0.25);
  choir.release = 0.5;
  sound.Phrase(0.0, "C4:8 B3:8 A3:8 G#3:8 A3:16", kLamentTick, choir);
  sound.Phrase(0.0, "E4:8 D4:8 C4:8 B3:8 E4:16", kLamentTick, choir);
  sound.PadTo(kLamentSeconds);
  return sound.Take();
}
