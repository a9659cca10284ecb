// The tunes of the open road and of its battles.
#include "sounds/instruments.h"
#include "sounds/songs.h"

Song WorldSong() {
  constexpr int kBar = 16;
  Song song = NewSong("world", 126, 16 * kBar);
  const auto melody = ParseMelody(
      "D5:6 A4:2 D5:2 E5:2 F#5:4 | A5:8 G5:2 F#5:2 E5:4 | D5:6 B4:2 D5:2 G5:2 B5:4 |"
      "A5:10 G5:2 F#5:2 E5:2 | F#5:6 D5:2 F#5:2 G5:2 A5:4 | B5:6 A5:2 G5:4 D5:4 |"
      "E5:4 G5:4 A5:2 G5:2 E5:2 C#5:2 | D5:12 r:4 |"
      "B5:4 A5:2 G5:2 A5:4 B5:4 | C#6:6 B5:2 A5:8 | F#5:4 A5:4 C#6:4 A5:4 | B5:12 F#5:4 |"
      "G5:4 B5:4 D6:6 C#6:2 | B5:4 A5:4 E5:4 A5:4 | F#5:4 D5:4 G5:4 B5:4 |"
      "A5:6 G5:2 F#5:2 E5:2 C#5:4 |",
      kBar);
  const auto chords =
      ParseChords("D D G A | Bm G Em:8 A:8 D:16 | G A F#m Bm | G A Bm:8 G:8 A:16", kBar);
  const std::vector<Figure> gallop = {{0, 3, 0}, {3, 1, 0},  {4, 2, 2},  {6, 2, 0},
                                      {8, 3, 3}, {11, 1, 0}, {12, 2, 2}, {14, 2, 1}};
  const std::vector<Figure> broken = {{0, 2, 0}, {2, 2, 1},  {4, 2, 2},  {6, 2, 3},
                                      {8, 2, 4}, {10, 2, 3}, {12, 2, 2}, {14, 2, 1}};
  song.voices = {
      {PulseLead(0.25, 1.0), melody},
      {TriangleBass(1.0), Arrange(chords, gallop, kBar, 38)},
      {Pluck(0.125, 0.28), Arrange(chords, broken, kBar, 57)},
      {PulseLead(0.125, 0.3), Echo(melody, 3, song.ticks)},  // a dotted-eighth echo
  };
  song.drums = LayerDrums({"k.h.s.h.k.k.s.h.|k.h.s.h.k.k.s.h.|k.h.s.h.k.k.s.h.|k.h.s.h.k.k.smml|"
                           "k.h.s.h.k.k.s.h.|k.h.s.h.k.k.s.h.|k.h.s.h.k.k.s.h.|k.h.s.h.k.nnmmll|"
                           "k.h.s.h.k.k.s.h.|k.h.s.h.k.k.s.h.|k.h.s.h.k.k.s.h.|k.h.s.h.k.k.smml|"
                           "k.h.s.h.k.k.s.h.|k.h.s.h.k.k.s.h.|k.h.s.h.k.k.s.h.|k.h.s.h.k.nnmmll|"},
                          kBar);
  song.drumVolume = 0.45;
  return song;
}

Song BattleSong() {
  constexpr int kBar = 16;
  Song song = NewSong("battle", 150, 16 * kBar);
  const auto melody = ParseMelody(
      "E5:3 E5:3 G5:2 B5:4 A5:2 G5:2 | F#5:4 G5:2 F#5:2 E5:4 B4:4 |"
      "E5:3 E5:3 G5:2 C6:4 B5:2 A5:2 | B5:4 A5:2 F#5:2 D5:4 F#5:4 |"
      "E5:3 E5:3 G5:2 B5:4 D6:2 E6:2 | D6:4 B5:2 G5:2 E5:8 |"
      "G5:3 A5:3 G5:2 E5:4 C5:2 E5:2 | D#5:8 F#5:4 B5:4 |"
      "C6:6 B5:2 A5:4 E5:4 | A5:3 B5:3 C6:2 E6:4 C6:4 | B5:6 A5:2 G5:4 E5:4 |"
      "G5:3 F#5:3 E5:2 B4:8 | C5:2 E5:2 G5:2 C6:2 E6:4 D6:2 C6:2 | D6:4 A5:2 F#5:2 A5:4 D6:4 |"
      "D#6:6 C#6:2 B5:4 A5:4 | F#5:4 A5:4 D#5:4 B4:4 |",
      kBar);
  const auto chords = ParseChords("Em Em C D | Em Em C B | Am Am Em Em | C D B B7", kBar);
  const std::vector<Figure> drive = {{0, 2, 0}, {2, 2, 0},  {4, 2, 3},  {6, 2, 0},
                                     {8, 2, 0}, {10, 2, 0}, {12, 2, 3}, {14, 2, 2}};
  std::vector<Figure> rush;
  for (int tick = 0; tick < kBar; ++tick) rush.push_back({tick, 1, (tick % 4 == 3) ? 1 : tick % 4});
  Instrument lead = PulseLead(0.5, 0.9);
  lead.lowpass = 2600;
  song.voices = {
      {lead, melody},
      {TriangleBass(1.1), Arrange(chords, drive, kBar, 40)},
      {Pluck(0.25, 0.2), Arrange(chords, rush, kBar, 59)},
  };
  song.drums = LayerDrums({"k...s..kk.k.s...|k...s..kk.k.s...|k...s..kk.k.s...|k...s..kk.k.s.ss|"
                           "k...s..kk.k.s...|k...s..kk.k.s...|k...s..kk.k.s...|k...s..kk.s.SsSs|"
                           "k...s..kk.k.s...|k...s..kk.k.s...|k...s..kk.k.s...|k...s..kk.k.s.ss|"
                           "k...s..kk.k.s...|k...s..kk.k.s...|k...s..kk.k.s...|k...s..kk.s.SsSs|",
                           "..h...h...h...h.|..h...h...h...h.|..h...h...h...h.|..h...h...h.....|"
                           "..h...h...h...h.|..h...h...h...h.|..h...h...h...h.|..h...h.........|"
                           "..h...h...h...h.|..h...h...h...h.|..h...h...h...h.|..h...h...h.....|"
                           "..h...h...h...h.|..h...h...h...h.|..h...h...h...h.|..h...h.........|"},
                          kBar);
  song.drumVolume = 0.5;
  return song;
}

Song BossSong() {
  constexpr int kBar = 16;
  Song song = NewSong("bbattle", 168, 16 * kBar);
  const auto melody = ParseMelody(
      "D5:2 A5:2 D6:2 A5:2 F5:2 D5:2 E5:2 F5:2 | G5:4 F5:2 E5:2 D5:4 C#5:4 |"
      "D5:2 F5:2 Bb5:2 F5:2 D6:4 C6:2 Bb5:2 | A5:6 G5:2 F5:2 E5:2 C#5:4 |"
      "D6:3 D6:3 C6:2 A5:4 F5:4 | E5:2 F5:2 G5:2 A5:2 Bb5:4 A5:4 |"
      "G5:3 Bb5:3 D6:2 G6:4 F6:2 D6:2 | E6:4 C#6:4 A5:4 G5:4 |"
      "F5:3 Bb5:3 D6:2 F6:8 | E6:3 C6:3 G5:2 E5:8 |"
      "A5:2 C6:2 E6:2 C6:2 A5:2 E5:2 C5:2 E5:2 | F5:4 A5:4 D6:8 |"
      "D6:2 Bb5:2 G5:2 Bb5:2 D6:2 G6:2 F6:2 D6:2 | Eb6:6 D6:2 C6:4 Bb5:4 |"
      "C#6:4 E6:4 A6:4 G6:4 | F6:2 E6:2 D6:2 C#6:2 Bb5:2 A5:2 G5:2 E5:2 |",
      kBar);
  const auto chords = ParseChords("Dm Dm Bb A | Dm Dm Gm A7 | Bb C Am Dm | Gm Eb A A7", kBar);
  std::vector<Figure> churn;
  const int degrees[kBar] = {0, 0, 3, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 2, 3, 2};
  for (int tick = 0; tick < kBar; ++tick) churn.push_back({tick, 1, degrees[tick]});
  Instrument lead = PulseLead(0.25, 0.95);
  lead.lowpass = 3000;
  song.voices = {
      {lead, melody},
      {TriangleBass(1.15), Arrange(chords, churn, kBar, 38)},
      {Pad(Wave::kSaw, 0.12), Sustain(chords, 50)},
  };
  song.drums = LayerDrums({"k.s.kks.k.s.kks.|k.s.kks.k.s.kks.|k.s.kks.k.s.kks.|k.s.kks.k.s.SSSS|"
                           "k.s.kks.k.s.kks.|k.s.kks.k.s.kks.|k.s.kks.k.s.kks.|k.s.kks.nnmmllkk|"
                           "k.s.kks.k.s.kks.|k.s.kks.k.s.kks.|k.s.kks.k.s.kks.|k.s.kks.k.s.SSSS|"
                           "k.s.kks.k.s.kks.|k.s.kks.k.s.kks.|k.s.kks.k.s.kks.|k.s.kks.nnmmllkk|",
                           ".h.h.h.h.h.h.h.h|.h.h.h.h.h.h.h.h|.h.h.h.h.h.h.h.h|.h.h.h.h.h.h....|"
                           ".h.h.h.h.h.h.h.h|.h.h.h.h.h.h.h.h|.h.h.h.h.h.h.h.h|.h.h.h.h........|"
                           ".h.h.h.h.h.h.h.h|.h.h.h.h.h.h.h.h|.h.h.h.h.h.h.h.h|.h.h.h.h.h.h....|"
                           ".h.h.h.h.h.h.h.h|.h.h.h.h.h.h.h.h|.h.h.h.h.h.h.h.h|.h.h.h.h........|"},
                          kBar);
  song.drumVolume = 0.5;
  return song;
}
