#include "sounds/sounds.h"

#include <functional>
#include <vector>

#include "sounds/effects.h"
#include "sounds/music.h"
#include "sounds/songs.h"
#include "sounds/wav_file.h"

namespace {

// How far from the midpoint the loudest sample of every sound reaches: about
// -1 dB of full scale, so that the 8 bits carry the sound.
constexpr int kPeak = 114;
// The two halves of the game-over tune always sound together: they share
// that level.
constexpr int kHalfPeak = kPeak / 2;

struct SoundFile {
  const char* name;
  std::function<std::vector<float>()> render;
  int peak = kPeak;
};

std::function<std::vector<float>()> Music(Song (*compose)()) {
  return [compose] { return RenderSong(compose()); };
}

}  // namespace

void WriteSounds(const std::filesystem::path& dir) {
  const std::vector<SoundFile> files = {
      {"intro", IntroSound},
      {"button", ButtonSound},
      {"button2", BoxSound},
      {"getitem", ItemSound},
      {"gameover", LamentMelody, kHalfPeak},
      {"gameover2", LamentBass, kHalfPeak},
      {"world", Music(WorldSong)},
      {"castle2", Music(DarkCastleSong)},
      {"battle", Music(BattleSong)},
      {"bbattle", Music(BossSong)},
      {"g_arm", FanfareSound},
      {"hp", HealSound},
      {"pattack", SlashSound},
      {"eattack", ThudSound},
      {"castle", Music(CastleSong)},
      {"village", Music(VillageSong)},
  };
  for (const SoundFile& file : files)
    WriteWav(dir / (std::string(file.name) + ".wav"), QuantizeMix(file.render(), file.peak));
}
