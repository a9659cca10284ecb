// pimquest-assets OUTDIR: writes OUTDIR/bmp/*.bmp, OUTDIR/wav/*.wav and
// OUTDIR/icon.bmp. The output is the same, byte for byte, on every run.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "pictures/pictures.h"
#include "sounds/sounds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pimquest-assets OUTDIR\n");
    return 2;
  }
  try {
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out / "bmp");
    std::filesystem::create_directories(out / "wav");
    WritePictures(out / "bmp");
    WriteIcon(out / "icon.bmp");
    WriteSounds(out / "wav");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pimquest-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
