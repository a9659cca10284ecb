// The tunes of the village and of the two castles.
#include "sounds/instruments.h"
#include "sounds/songs.h"

Song VillageSong() {
  constexpr int kBar = 12;  // a waltz: three beats of four sixteenths
  Song song = NewSong("village", 96, 16 * kBar);
  const auto melody = ParseMelody(
      "A5:6 C6:2 A5:2 F5:2 | E5:8 C5:4 | D5:4 F5:4 Bb5:4 | A5:10 r:2 |"
      "F5:6 E5:2 D5:2 F5:2 | G5:4 Bb5:4 D6:4 | C6:6 Bb5:2 A5:2 G5:2 | G5:8 r:4 |"
      "F5:6 G5:2 F5:2 D5:2 | E5:6 F5:2 G5:4 | A5:6 G5:2 E5:2 C5:2 | D5:8 F5:4 |"
      "G5:6 A5:2 Bb5:4 | D6:6 C6:2 Bb5:2 A5:2 | G5:6 A5:2 G5:2 F5:2 | E5:6 D5:2 E5:2 G5:2 |",
      kBar);
  const auto chords = ParseChords("F Am Bb F | Dm Gm C C7 | Bb C Am Dm | Gm Bb Gm C", kBar);
  const std::vector<Figure> oom = {{0, 4, 0}, {8, 4, -1}};
  const std::vector<Figure> pahPah = {{4, 3, 1}, {4, 3, 2}, {4, 3, 3},
                                      {8, 3, 1}, {8, 3, 2}, {8, 3, 3}};
  song.voices = {
      {Flute(1.0), melody},
      {TriangleBass(0.8), Arrange(chords, oom, kBar, 43)},
      {Pluck(0.5, 0.13), Arrange(chords, pahPah, kBar, 53)},
  };
  for (int bar = 0; bar < 16; ++bar)
    for (int beat = 0; beat < 3; ++beat)
      song.drums.push_back({bar * kBar + beat * 4, Drum::kHat, 0, beat == 0 ? 1.0 : 0.6});
  song.drumVolume = 0.25;
  return song;
}

Song CastleSong() {
  constexpr int kBar = 16;
  Song song = NewSong("castle", 100, 12 * kBar);
  const auto melody = ParseMelody(
      "C5:6 D5:2 E5:4 G5:4 | A5:6 G5:2 F5:4 C5:4 | D5:6 E5:2 F5:2 E5:2 D5:4 | E5:6 D5:2 C5:8 |"
      "E5:6 F5:2 G5:4 A5:4 | C6:6 A5:2 F5:4 A5:4 | G5:6 F5:2 E5:4 D5:4 | C5:12 G4:4 |"
      "A4:6 C5:2 F5:4 A5:4 | G5:6 A5:2 B5:4 D6:4 | B5:6 A5:2 G5:4 C6:4 | A5:4 F5:4 D5:4 B4:4 |",
      kBar);
  const auto chords = ParseChords("C F G C | Am F Dm:8 G:8 C:16 | F G Em:8 Am:8 Dm:8 G:8", kBar);
  const std::vector<Figure> march = {{0, 6, 0}, {6, 2, 0}, {8, 6, -1}, {14, 2, -1}};
  Instrument organ = Pad(Wave::kPulse, 0.22);
  organ.lowpass = 1400;
  song.voices = {
      {PulseLead(0.5, 0.9), melody},
      {TriangleBass(1.0), Arrange(chords, march, kBar, 43)},
      {organ, Sustain(chords, 55)},
  };
  song.drums = LayerDrums({"t.......T.......|t.......T.......|t.......T.......|t.......T...t.tt|"
                           "t.......T.......|t.......T.......|t.......T.......|t.......T...t.tt|"
                           "t.......T.......|t.......T.......|t.......T.......|t...t...T.T.TTTT|"},
                          kBar);
  song.drumVolume = 0.55;
  return song;
}

Song DarkCastleSong() {
  constexpr int kBar = 16;
  // Half the boss battle's tempo and in its key: the castle's music goes on
  // under the fight with Elmo.
  Song song = NewSong("castle2", 84, 10 * kBar);
  const auto melody = ParseMelody(
      "r:4 D5:4 F5:4 E5:4 | D5:8 C#5:4 A4:4 | r:4 G5:4 Bb5:4 A5:4 | G5:6 F5:2 E5:8 |"
      "r:4 A5:4 D6:4 C#6:4 | D6:8 Bb5:4 F5:4 | G5:6 Bb5:2 Eb6:4 D6:4 | C#6:12 A5:4 |"
      "Bb5:6 A5:2 G5:4 F5:4 | E5:6 F5:2 E5:4 C#5:4 |",
      kBar);
  const auto chords = ParseChords("Dm Dm Gm A | Dm Bb Eb A | Gm A7", kBar);
  const std::vector<Figure> creep = {{0, 2, 0}, {2, 2, 0},  {4, 2, 3},  {6, 2, 0},
                                     {8, 2, 0}, {10, 2, 0}, {12, 2, 3}, {14, 2, 2}};
  Instrument ghost = PulseLead(0.5, 0.85);
  ghost.attack = 0.05;
  ghost.lowpass = 1300;
  ghost.vibratoDepth = 0.3;
  ghost.vibratoRate = 4.5;
  song.voices = {
      {ghost, melody},
      {TriangleBass(1.0), Arrange(chords, creep, kBar, 38)},
      {Pad(Wave::kSaw, 0.2), Sustain(chords, 50)},
  };
  song.drums = LayerDrums({"k..k............|k..k............|k..k............|k..k........l.l.|"
                           "k..k............|k..k............|k..k............|k..k........l.l.|"
                           "k..k............|k..k....l...l.l.|"},
                          kBar);
  song.drumVolume = 0.5;
  return song;
}
