#include "sounds/score.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void Fail(std::string_view what, std::string_view token) {
  throw std::invalid_argument(std::string(what) + " '" + std::string(token) + "'");
}

std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  std::size_t at = 0;
  // A bar line is a token of its own, with or without blanks around it.
  auto separates = [&](std::size_t i) {
    return std::isspace(static_cast<unsigned char>(text[i])) || text[i] == '|';
  };
  while (at < text.size()) {
    if (text[at] == '|') tokens.push_back(text.substr(at++, 1));
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    const std::size_t start = at;
    while (at < text.size() && !separates(at)) ++at;
    if (at > start) tokens.push_back(text.substr(start, at - start));
  }
  return tokens;
}

void CheckBarLine(int tick, int ticksPerBar) {
  if (tick % ticksPerBar != 0) Fail("bar line off the beat at tick", std::to_string(tick));
}

// "C", "F#", "Bb": semitones above C (Cb gives -1), and how many characters
// it took.
int Pitch(std::string_view token, std::size_t& used) {
  static constexpr int kNatural[] = {9, 11, 0, 2, 4, 5, 7};  // A to G
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(token.at(0))));
  if (letter < 'A' || letter > 'G') Fail("not a note", token);
  int pitch = kNatural[letter - 'A'];
  used = 1;
  while (used < token.size() && (token[used] == '#' || token[used] == 'b')) {
    pitch += token[used] == '#' ? 1 : -1;
    ++used;
  }
  return pitch;
}

// Splits "X:n" into X and n; a missing length keeps the last one.
std::string_view SplitLength(std::string_view token, int& length) {
  const std::size_t colon = token.find(':');
  if (colon == std::string_view::npos) return token;
  const std::string digits(token.substr(colon + 1));
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), ::isdigit) ||
      std::stoi(digits) <= 0)
    Fail("bad length in", token);
  length = std::stoi(digits);
  return token.substr(0, colon);
}

std::vector<int> Quality(std::string_view name, std::string_view token) {
  if (name.empty()) return {0, 4, 7};
  if (name == "m") return {0, 3, 7};
  if (name == "7") return {0, 4, 7, 10};
  if (name == "m7") return {0, 3, 7, 10};
  if (name == "maj7") return {0, 4, 7, 11};
  if (name == "dim") return {0, 3, 6};
  if (name == "sus4") return {0, 5, 7};
  if (name == "sus2") return {0, 2, 7};
  Fail("unknown chord", token);
}

int PlaceRoot(int pitchClass, int lowest) {
  return lowest + (pitchClass - lowest % 12 + 12) % 12;
}

}  // namespace

std::vector<NoteEvent> ParseMelody(std::string_view text, int ticksPerBar) {
  std::vector<NoteEvent> notes;
  int tick = 0;
  int length = 4;
  for (std::string_view token : Tokens(text)) {
    if (token == "|") {
      CheckBarLine(tick, ticksPerBar);
      continue;
    }
    const std::string_view name = SplitLength(token, length);
    if (name == "r") {
      tick += length;
      continue;
    }
    std::size_t used = 0;
    const int pitch = Pitch(name, used);
    const std::string octave(name.substr(used));
    if (octave.size() != 1 || !std::isdigit(static_cast<unsigned char>(octave[0])))
      Fail("bad octave in", token);
    // The octave belongs to the written letter: B#3 sounds as C4, Cb4 as B3.
    notes.push_back({tick, length, 12 * (octave[0] - '0' + 1) + pitch});
    tick += length;
  }
  return notes;
}

std::vector<ChordEvent> ParseChords(std::string_view text, int ticksPerBar) {
  std::vector<ChordEvent> chords;
  int tick = 0;
  int length = ticksPerBar;
  for (std::string_view token : Tokens(text)) {
    if (token == "|") {
      CheckBarLine(tick, ticksPerBar);
      continue;
    }
    const std::string_view name = SplitLength(token, length);
    std::size_t used = 0;
    const int root = (Pitch(name, used) + 12) % 12;
    chords.push_back({tick, length, root, Quality(name.substr(used), token)});
    tick += length;
  }
  return chords;
}

std::vector<DrumEvent> ParseDrums(std::string_view text, int ticksPerBar) {
  std::vector<DrumEvent> hits;
  int tick = 0;
  for (char letter : text) {
    if (std::isspace(static_cast<unsigned char>(letter))) continue;
    if (letter == '|') {
      CheckBarLine(tick, ticksPerBar);
      continue;
    }
    const double gain = std::isupper(static_cast<unsigned char>(letter)) ? 1.35 : 1.0;
    switch (letter) {
      case '.':
        break;
      case 'k':
      case 'K':
        hits.push_back({tick, Drum::kKick, 0, gain});
        break;
      case 's':
      case 'S':
        hits.push_back({tick, Drum::kSnare, 0, gain});
        break;
      case 'h':
        hits.push_back({tick, Drum::kHat, 0, gain});
        break;
      case 'o':
        hits.push_back({tick, Drum::kOpenHat, 0, gain});
        break;
      case 'c':
        hits.push_back({tick, Drum::kCrash, 0, gain});
        break;
      case 't':
        hits.push_back({tick, Drum::kTimpani, 73.4, 1.0});
        break;
      case 'T':
        hits.push_back({tick, Drum::kTimpani, 110.0, 1.0});
        break;
      case 'l':
        hits.push_back({tick, Drum::kTom, 98.0, gain});
        break;
      case 'm':
        hits.push_back({tick, Drum::kTom, 131.0, gain});
        break;
      case 'n':
        hits.push_back({tick, Drum::kTom, 175.0, gain});
        break;
      default:
        Fail("unknown drum", std::string_view(&letter, 1));
    }
    ++tick;
  }
  return hits;
}

std::vector<NoteEvent> Arrange(const std::vector<ChordEvent>& chords,
                               const std::vector<Figure>& figure, int figureLength, int lowest) {
  std::vector<NoteEvent> notes;
  for (const ChordEvent& chord : chords) {
    const int root = PlaceRoot(chord.root, lowest);
    for (int start = 0; start < chord.length; start += figureLength) {
      for (const Figure& step : figure) {
        if (start + step.tick >= chord.length) break;
        const int length = std::min(step.length, chord.length - start - step.tick);
        const int octave = step.degree < 0 ? -1 : step.degree / 3;
        const int interval = step.degree < 0 ? 7 : chord.intervals[step.degree % 3];
        notes.push_back({chord.tick + start + step.tick, length, root + 12 * octave + interval});
      }
    }
  }
  return notes;
}

std::vector<NoteEvent> Sustain(const std::vector<ChordEvent>& chords, int lowest) {
  std::vector<NoteEvent> notes;
  for (const ChordEvent& chord : chords) {
    const int root = PlaceRoot(chord.root, lowest);
    for (int interval : chord.intervals)
      notes.push_back({chord.tick, chord.length, root + interval});
  }
  return notes;
}

std::vector<NoteEvent> Transpose(std::vector<NoteEvent> notes, int semitones) {
  for (NoteEvent& note : notes) note.midi += semitones;
  return notes;
}

int EndTick(const std::vector<NoteEvent>& notes) {
  int end = 0;
  for (const NoteEvent& note : notes) end = std::max(end, note.tick + note.length);
  return end;
}
