#include "sounds/music.h"

#include <cmath>
#include <stdexcept>
#include <utility>

#include "sounds/wav_file.h"

int SamplesPerSixteenth(double beatsPerMinute) {
  return static_cast<int>(std::lround(kSampleRate * 60.0 / beatsPerMinute / 4.0));
}

Song NewSong(std::string name, double beatsPerMinute, int ticks) {
  Song song;
  song.name = std::move(name);
  song.samplesPerTick = SamplesPerSixteenth(beatsPerMinute);
  song.ticks = ticks;
  return song;
}

namespace {

// Adds a sound into a loop from sample start; what runs past the loop's end
// goes on from its beginning, as it sounds when the loop plays again.
void MixAround(std::vector<float>& loop, long start, const std::vector<float>& sound,
               double gain = 1.0) {
  const auto size = loop.size();
  if (size == 0) return;
  for (std::size_t i = 0; i < sound.size(); ++i)
    loop[(static_cast<std::size_t>(start) + i) % size] += static_cast<float>(sound[i] * gain);
}

}  // namespace

std::vector<float> RenderSong(const Song& song) {
  const long tickSamples = song.samplesPerTick;
  std::vector<float> mix(static_cast<std::size_t>(song.ticks * tickSamples), 0.0f);
  std::uint32_t seed = 1;
  for (const Voice& voice : song.voices) {
    if (EndTick(voice.notes) > song.ticks)
      throw std::invalid_argument(song.name + ": a part runs past the end of the loop");
    for (const NoteEvent& note : voice.notes) {
      const auto gate = static_cast<long>(static_cast<double>(note.length * tickSamples) *
                                          voice.instrument.legato);
      const std::vector<float> tone =
          RenderTone(MidiToHz(note.midi), gate, voice.instrument, seed++);
      MixAround(mix, note.tick * tickSamples, tone);
    }
  }
  for (const DrumEvent& hit : song.drums) {
    if (hit.tick >= song.ticks)
      throw std::invalid_argument(song.name + ": the drums run past the end of the loop");
    MixAround(mix, hit.tick * tickSamples, RenderDrum(hit.drum, hit.hz),
              hit.gain * song.drumVolume);
  }
  return mix;
}

std::vector<NoteEvent> Echo(const std::vector<NoteEvent>& notes, int delay, int loopTicks) {
  std::vector<NoteEvent> echoed;
  for (NoteEvent note : notes) {
    note.tick += delay;
    if (note.tick >= loopTicks) continue;
    if (note.tick + note.length > loopTicks) note.length = loopTicks - note.tick;
    echoed.push_back(note);
  }
  return echoed;
}

std::vector<DrumEvent> LayerDrums(std::initializer_list<std::string_view> layers, int ticksPerBar) {
  std::vector<DrumEvent> hits;
  for (std::string_view layer : layers) {
    const std::vector<DrumEvent> parsed = ParseDrums(layer, ticksPerBar);
    hits.insert(hits.end(), parsed.begin(), parsed.end());
  }
  return hits;
}
