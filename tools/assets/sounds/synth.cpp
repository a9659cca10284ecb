#include "sounds/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sounds/wav_file.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Softens the step of a naive pulse or saw at its edges, which keeps the
// upper notes from buzzing with aliases at this low sample rate.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double Envelope(const Instrument& instrument, double t, double gateSeconds) {
  auto held = [&](double at) {
    if (at < instrument.attack) return at / instrument.attack;
    const double sinceAttack = at - instrument.attack;
    return instrument.sustain +
           (1.0 - instrument.sustain) * std::exp(-sinceAttack / instrument.decay);
  };
  if (t < gateSeconds) return held(t);
  const double released = (t - gateSeconds) / instrument.release;
  return released >= 1.0 ? 0.0 : held(gateSeconds) * (1.0 - released);
}

}  // namespace

double MidiToHz(double midi) {
  return 440.0 * std::exp2((midi - 69.0) / 12.0);
}

std::vector<float> RenderTone(double hz, long gate, const Instrument& instrument,
                              std::uint32_t seed) {
  const long length = gate + static_cast<long>(instrument.release * kSampleRate) + 1;
  const double gateSeconds = static_cast<double>(gate) / kSampleRate;
  const double lowpassStep =
      instrument.lowpass > 0 ? 1.0 - std::exp(-kTwoPi * instrument.lowpass / kSampleRate) : 1.0;
  Noise noise(seed);
  double noiseValue = 0.0;
  double phase = 0.0;
  double modPhase = 0.0;
  double filtered = 0.0;
  std::vector<float> out(static_cast<std::size_t>(length));
  for (long i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double semitones = 0.0;
    if (instrument.vibratoDepth > 0 && t > instrument.vibratoDelay) {
      const double fadeIn = std::min(1.0, (t - instrument.vibratoDelay) / 0.2);
      semitones += fadeIn * instrument.vibratoDepth * std::sin(kTwoPi * instrument.vibratoRate * t);
    }
    if (instrument.glide != 0 && t < instrument.glideTime)
      semitones += instrument.glide * (1.0 - t / instrument.glideTime);
    const double dt = hz * std::exp2(semitones / 12.0) / kSampleRate;
    const double level = Envelope(instrument, t, gateSeconds);

    double value = 0.0;
    switch (instrument.wave) {
      case Wave::kPulse:
        value = (phase < instrument.duty ? 1.0 : -1.0) + PolyBlep(phase, dt) -
                PolyBlep(std::fmod(phase + 1.0 - instrument.duty, 1.0), dt);
        value -= 2.0 * instrument.duty - 1.0;  // a narrow pulse carries no offset
        break;
      case Wave::kTriangle:
        value = 1.0 - 4.0 * std::abs(phase - 0.5);
        break;
      case Wave::kSaw:
        value = 2.0 * phase - 1.0 - PolyBlep(phase, dt);
        break;
      case Wave::kSine:
        value = std::sin(kTwoPi * phase + instrument.fmIndex * level * std::sin(kTwoPi * modPhase));
        break;
      case Wave::kNoise:
        value = noiseValue;
        break;
    }
    filtered += lowpassStep * (value - filtered);
    out[static_cast<std::size_t>(i)] = static_cast<float>(filtered * level * instrument.volume);

    phase += dt;
    modPhase += dt * instrument.fmRatio;
    modPhase -= std::floor(modPhase);
    if (phase >= 1.0) {
      phase -= 1.0;
      noiseValue = noise.Next();
    }
  }
  return out;
}

std::vector<float> RenderDrum(Drum drum, double hz) {
  const double seconds = drum == Drum::kTimpani ? 0.9 : drum == Drum::kCrash ? 0.8 : 0.32;
  const auto length = static_cast<std::size_t>(seconds * kSampleRate);
  std::vector<float> out(length);
  Noise noise(static_cast<std::uint32_t>(drum) * 7919u + 17u);
  double phase = 0.0;
  double previous = 0.0;
  double body = 0.0;
  for (std::size_t i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double white = noise.Next();
    const double bright = white - previous;  // first difference: only the hiss
    previous = white;
    const double click = std::min(1.0, t / 0.0015);  // every hit starts at silence
    double value = 0.0;
    switch (drum) {
      case Drum::kKick:
        phase += (48.0 + 110.0 * std::exp(-t / 0.025)) / kSampleRate;
        value = std::sin(kTwoPi * phase) * std::exp(-t / 0.11);
        break;
      case Drum::kSnare:
        phase += 185.0 / kSampleRate;
        value = 0.45 * std::sin(kTwoPi * phase) * std::exp(-t / 0.04) +
                0.55 * bright * std::exp(-t / 0.075);
        break;
      case Drum::kHat:
        value = 0.5 * bright * std::exp(-t / 0.018);
        break;
      case Drum::kOpenHat:
        value = 0.45 * bright * std::exp(-t / 0.09);
        break;
      case Drum::kTom:
        phase += (hz > 0 ? hz : 110.0) * (1.0 + 0.5 * std::exp(-t / 0.04)) / kSampleRate;
        value = std::sin(kTwoPi * phase) * std::exp(-t / 0.12);
        break;
      case Drum::kTimpani:
        phase += (hz > 0 ? hz : 73.4) * (1.0 + 0.06 * std::exp(-t / 0.05)) / kSampleRate;
        body += 0.2 * (white - body);
        value = (0.85 * std::sin(kTwoPi * phase) + 0.3 * std::sin(kTwoPi * 1.5 * phase)) *
                    std::exp(-t / 0.35) +
                0.5 * body * std::exp(-t / 0.03);
        break;
      case Drum::kCrash:
        value = 0.4 * bright * std::exp(-t / 0.3);
        break;
    }
    // A short linear tail keeps the last sample at silence.
    const double tail = std::min(1.0, static_cast<double>(length - i - 1) / 80.0);
    out[i] = static_cast<float>(value * click * tail);
  }
  return out;
}

void MixInto(std::vector<float>& mix, long start, const std::vector<float>& sound, double gain) {
  const long end = static_cast<long>(mix.size());
  const long soundLength = static_cast<long>(sound.size());
  const bool cut = start + soundLength > end;
  const long fade = 120;  // about 11 ms
  for (long i = 0; i < soundLength && start + i < end; ++i) {
    if (start + i < 0) continue;
    double value = sound[static_cast<std::size_t>(i)] * gain;
    if (cut) value *= std::min(1.0, static_cast<double>(end - 1 - (start + i)) / fade);
    mix[static_cast<std::size_t>(start + i)] += static_cast<float>(value);
  }
}
