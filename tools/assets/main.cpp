// pimquest-assets OUTDIR: writes OUTDIR/bmp/*.bmp, OUTDIR/wav/*.wav,
// OUTDIR/icon.bmp and the desktop icons OUTDIR/icons/pimquest-N.png. The
// output is the same, byte for byte, on every run.
// pimquest-assets --png IN.bmp OUT.png: turns a screenshot into a PNG.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

#include "common/bmp_to_png.h"
#include "pictures/pictures.h"
#include "sounds/sounds.h"

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--png") {
    try {
      ConvertBmpToPng(argv[2], argv[3]);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "pimquest-assets: %s\n", e.what());
      return 1;
    }
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: pimquest-assets OUTDIR | --png IN.bmp OUT.png\n");
    return 2;
  }
  try {
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out / "bmp");
    std::filesystem::create_directories(out / "wav");
    WritePictures(out / "bmp");
    WriteIcon(out / "icon.bmp");
    std::filesystem::create_directories(out / "icons");
    WriteIconPngs(out / "icons");
    WriteSounds(out / "wav");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pimquest-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
