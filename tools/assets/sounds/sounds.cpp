#include "sounds/sounds.h"

#include <functional>
#include <vector>

#include "sounds/effects.h"
#include "sounds/music.h"
#include "sounds/songs.h"
#include "sounds/wav_file.h"

namespace {

// How far from the midpoint the loudest sample of each sound may reach. The
// game plays music, effects and the two halves of the game-over tune at
// once, so the music keeps well under full scale.
constexpr int kMusicPeak = 60;
constexpr int kEffectPeak = 80;
constexpr int kLamentPeak = 56;

struct SoundFile {
  const char* name;
  std::function<std::vector<float>()> render;
  int peak;
};

std::function<std::vector<float>()> Music(Song (*compose)()) {
  return [compose] { return RenderSong(compose()); };
}

}  // namespace

void WriteSounds(const std::filesystem::path& dir) {
  const std::vector<SoundFile> files = {
      {"intro", IntroSound, kEffectPeak},
      {"button", ButtonSound, 64},
      {"button2", BoxSound, 70},
      {"getitem", ItemSound, kEffectPeak},
      {"gameover", LamentMelody, kLamentPeak},
      {"gameover2", LamentBass, kLamentPeak},
      {"world", Music(WorldSong), kMusicPeak},
      {"castle2", Music(DarkCastleSong), kMusicPeak},
      {"battle", Music(BattleSong), kMusicPeak},
      {"bbattle", Music(BossSong), kMusicPeak},
      {"g_arm", FanfareSound, kEffectPeak},
      {"hp", HealSound, kEffectPeak},
      {"pattack", SlashSound, kEffectPeak},
      {"eattack", ThudSound, kEffectPeak},
      {"castle", Music(CastleSong), kMusicPeak},
      {"village", Music(VillageSong), kMusicPeak},
  };
  for (const SoundFile& file : files)
    WriteWav(dir / (std::string(file.name) + ".wav"), QuantizeMix(file.render(), file.peak));
}
