// The intro: three lines fade up and down on a black screen, then the start
// picture waits with music for the player. S or gamepad button 2 cuts the
// fades short.
#include "dialogue/title_sequence.h"

#include <cstring>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "state/assets.h"

namespace {

constexpr int kTextTop = 200;

std::uint32_t Grey(int v) {
  return static_cast<std::uint32_t>(v | v << 8 | v << 16);
}
std::uint32_t RedOnly(int v) {
  return static_cast<std::uint32_t>(v);
}
std::uint32_t BlueOnly(int v) {
  return static_cast<std::uint32_t>(v << 16);
}

struct FadingText {
  const char* text;
  int x;
  std::uint32_t (*colourAt)(int level);  // 0x00BBGGRR for a fade level 0 to 255
};

// The credit line is centred by its own length; the title is placed by its
// narrow form "P I M Q U E S T" although the wide form is drawn.
int CreditX(const char* text) {
  return 4 * (80 - static_cast<int>(std::strlen(text)));
}

const FadingText kCredit{"WENDOVAR", CreditX("WENDOVAR"), Grey};
const FadingText kPresents{"- PRESENTS -", 4 * (80 - 12), RedOnly};
const FadingText kTitle{"P I M   Q U E S T",
                        320 - 3 * static_cast<int>(std::strlen("P I M Q U E S T")), BlueOnly};

enum class Pacing {
  AroundDrawing,  // 1 ms, the drawing, 1 ms
  AfterDrawing,   // the drawing, 2 ms
};
enum class Direction { Up, Down };

bool SkipRequested() {
  ReadDevices();
  return PadButtonDown(2) || KeyDown(DIK_S);
}

// Draws the text 256 times, one level brighter or darker each time; drawing
// it over itself in black at the end hides it again. True when the player
// asked to skip.
bool Fade(const FadingText& fading, Direction direction, Pacing pacing) {
  for (int step = 0; step <= 255; ++step) {
    const int level = direction == Direction::Up ? step : 255 - step;
    if (pacing == Pacing::AroundDrawing) Sleep(1);
    DrawTextAt(fading.text, fading.x, kTextTop, fading.colourAt(level), FrontSurface);
    Sleep(pacing == Pacing::AroundDrawing ? 1 : 2);
    if (SkipRequested()) return true;
  }
  return false;
}

// The three fades with their pauses; true when the player skipped them.
bool PlayFades() {
  if (Fade(kCredit, Direction::Up, Pacing::AroundDrawing)) return true;
  Sleep(2000);
  if (Fade(kCredit, Direction::Down, Pacing::AroundDrawing)) return true;
  Sleep(1000);
  if (Fade(kPresents, Direction::Up, Pacing::AfterDrawing)) return true;
  Sleep(2000);
  if (Fade(kPresents, Direction::Down, Pacing::AfterDrawing)) return true;
  Sleep(2000);
  if (Fade(kTitle, Direction::Up, Pacing::AfterDrawing)) return true;
  Sleep(2500);
  return Fade(kTitle, Direction::Down, Pacing::AfterDrawing);
}

void ShowStartPicture() {
  BlitFullScreen(BackBuffer, pictures::start.get());
  BlitFullScreen(FrontSurface, pictures::start.get());
}

bool StartPressed() {
  return PadButtonDown(1) || PadButtonDown(2) || KeyDown(DIK_A) || KeyDown(DIK_S);
}

}  // namespace

void TitleSequence() {
  FillSurface(FrontSurface, kRawBlack);
  PlaySlot(sounds::intro, kPlayOnce);
  if (PlayFades()) StopSlot(sounds::intro);

  ShowStartPicture();
  PlaySlot(sounds::world, kPlayLooped);
  do {
    ReadDevices();
  } while (!StartPressed());

  Sleep(1500);
  StopAllSlots();
}
