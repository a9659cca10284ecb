#include "state/assets.h"

#include <cstdio>
#include <string>

#include "platform/bitmap.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/window_events.h"

namespace pictures {
std::unique_ptr<Surface> Village, people, world, castle, castle2, battle1, battle2, pbattle, end,
    battle3, over, start;
}

namespace sounds {
SoundId intro = -1, button = -1, button2 = -1, getitem = -1, gameover = -1, gameover2 = -1,
        world = -1, castle2 = -1, battle = -1, bbattle = -1, g_arm = -1, hp = -1, pattack = -1,
        eattack = -1, castle = -1, village = -1;
}

namespace {

struct PictureFile {
  const char* name;
  std::unique_ptr<Surface>* handle;
};

// In load order.
const PictureFile kPictures[] = {
    {"bmp\\Village.bmp", &pictures::Village}, {"bmp\\people.bmp", &pictures::people},
    {"bmp\\world.bmp", &pictures::world},     {"bmp\\castle.bmp", &pictures::castle},
    {"bmp\\castle2.bmp", &pictures::castle2}, {"bmp\\battle1.bmp", &pictures::battle1},
    {"bmp\\battle2.bmp", &pictures::battle2}, {"bmp\\pbattle.bmp", &pictures::pbattle},
    {"bmp\\end.bmp", &pictures::end},         {"bmp\\battle3.bmp", &pictures::battle3},
    {"bmp\\over.bmp", &pictures::over},       {"bmp\\start.bmp", &pictures::start},
};

struct SoundFile {
  const char* name;
  SoundId* handle;
};

// In load order, which is also slot order.
const SoundFile kSounds[] = {
    {"wav\\intro.wav", &sounds::intro},       {"wav\\button.wav", &sounds::button},
    {"wav\\button2.wav", &sounds::button2},   {"wav\\getitem.wav", &sounds::getitem},
    {"wav\\gameover.wav", &sounds::gameover}, {"wav\\gameover2.wav", &sounds::gameover2},
    {"wav\\world.wav", &sounds::world},       {"wav\\castle2.wav", &sounds::castle2},
    {"wav\\battle.wav", &sounds::battle},     {"wav\\bbattle.wav", &sounds::bbattle},
    {"wav\\g_arm.wav", &sounds::g_arm},       {"wav\\hp.wav", &sounds::hp},
    {"wav\\pattack.wav", &sounds::pattack},   {"wav\\eattack.wav", &sounds::eattack},
    {"wav\\castle.wav", &sounds::castle},     {"wav\\village.wav", &sounds::village},
};

// Each picture's file, found through its handle.
const char* FileOf(const std::unique_ptr<Surface>* handle) {
  for (const PictureFile& picture : kPictures) {
    if (picture.handle == handle) return picture.name;
  }
  return nullptr;
}

// Loading takes a while: a quit asked for meanwhile is honoured between files.
void StopIfQuitRequested() {
  if (QuitAsked()) throw QuitRequest{};
}

}  // namespace

int StartUp() {
  if (InitDisplay(kScreenWidth, kScreenHeight, 16) == 0) {
    std::fprintf(stderr, "pimquest: the 640 x 480 display cannot be opened\n");
    return 0;
  }
  for (const PictureFile& picture : kPictures) {
    StopIfQuitRequested();
    std::string error;
    *picture.handle = LoadBitmapSurface(picture.name, 0, 0, &error);
    if (!*picture.handle) {
      std::fprintf(stderr, "pimquest: cannot load picture %s\n", error.c_str());
      return 0;
    }
  }
  SetColourKey(pictures::people.get(), 0xFF00FF);
  SetColourKey(pictures::pbattle.get(), 0xFF00FF);
  // Without a device the game plays silent; the host says so.
  InitSound();
  LoadSounds();
  CreateInput();
  InitKeyboard();
  InitGamepad(-1024, 1024, -1024, 1024);
  return 1;
}

int LoadSounds() {
  for (const SoundFile& sound : kSounds) *sound.handle = -1;
  if (!SoundDeviceOpen()) return 0;  // silent, and no file is to blame
  int all = 1;
  for (const SoundFile& sound : kSounds) {
    StopIfQuitRequested();
    std::string error;
    *sound.handle = LoadWave(sound.name, 0xE0, &error);
    if (*sound.handle == -1) {
      // That sound stays silent; the ones after it still load.
      std::fprintf(stderr, "pimquest: cannot load sound %s\n", error.c_str());
      all = 0;
    }
  }
  return all;
}

void RestoreAllPictures() {
  for (std::unique_ptr<Surface>* handle :
       {&pictures::Village, &pictures::people, &pictures::castle, &pictures::castle2,
        &pictures::battle1, &pictures::battle2, &pictures::battle3, &pictures::pbattle,
        &pictures::start, &pictures::world, &pictures::end, &pictures::over}) {
    if (*handle) ReloadBitmap(handle->get(), FileOf(handle));
  }
}

int ShutDown() {
  StopAllSlots();
  ReleaseAllSlots();
  ShutdownSound();
  for (const SoundFile& sound : kSounds) *sound.handle = -1;
  ReleaseKeyboard();
  ReleaseGamepad();
  ReleaseInput();
  for (std::unique_ptr<Surface>* handle :
       {&pictures::Village, &pictures::people, &pictures::world, &pictures::castle,
        &pictures::castle2, &pictures::battle1, &pictures::battle2, &pictures::battle3,
        &pictures::start, &pictures::over, &pictures::pbattle, &pictures::end}) {
    handle->reset();
  }
  ShutdownDisplay();
  return 1;
}
