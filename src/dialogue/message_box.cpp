// The message box: typed text over the bottom of the screen, the wait for the
// player, and the yes/no prompt above its right end.
#include "dialogue/message_box.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "dialogue/cursor_sprite.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/trace.h"
#include "state/assets.h"
#include "state/player.h"

char lineBuffer[80] = {};

namespace {

constexpr int kLineBytes = sizeof lineBuffer;
constexpr std::uint32_t kTypingPauseMs = 50;

// The top of the text of line 1, 2 or 3; -1 for any other number.
int LineTop(int line) {
  switch (line) {
    case 1:
      return 385;
    case 2:
      return 410;
    case 3:
      return 435;
    default:
      return -1;
  }
}

void TraceMessage(const char* text, int line, std::uint32_t colour) {
  int length = kLineBytes;
  while (length > 0 && text[length - 1] == 0) --length;
  TraceEvent("message")
      .Int("line", line)
      .Int("colour", colour)
      .Str("text", std::string_view(text, static_cast<std::size_t>(length)));
}

// Any of the four answer keys will do, and a key still held from before
// counts at once: there is no wait for a release.
void WaitForAcknowledgement() {
  ReadDevices();
  if (PadButtonDown(1)) return;
  for (;;) {
    if (PadButtonDown(2) || KeyDown(DIK_A) || KeyDown(DIK_S)) return;
    ReadDevices();
    if (PadButtonDown(1)) return;
  }
}

bool LeftHeld() {
  return PadLeft() || KeyDown(DIK_LEFT);
}
bool RightHeld() {
  return PadRight() || KeyDown(DIK_RIGHT);
}

int RunYesNoPrompt() {
  PlaySlot(sounds::button2, kPlayOnce);
  FillRect(506, 316, 622, 354, kRawWhite, FrontSurface);
  FillRect(508, 318, 620, 352, kRawBlack, FrontSurface);
  DrawTextAt("YES       NO", 535, 327, kTextWhite, FrontSurface);
  DrawCursorSprite(507, 319, FrontSurface);

  int answer = 1;
  ReadDevices();
  if (PadButtonDown(1)) return 1;
  for (;;) {
    if (KeyDown(DIK_A)) return answer;
    if (RightHeld() && answer == 1) {
      FillRect(510, 319, 534, 351, kRawBlack, FrontSurface);
      DrawCursorSprite(563, 319, FrontSurface);
      PlayCursorMoveSound();
      answer = 0;
    } else if (LeftHeld() && answer == 0) {
      FillRect(565, 319, 590, 351, kRawBlack, FrontSurface);
      DrawCursorSprite(507, 319, FrontSurface);
      PlayCursorMoveSound();
      answer = 1;
    }
    ReadDevices();
    if (PadButtonDown(1)) return answer;
  }
}

}  // namespace

void ClearLineBuffer() {
  std::memset(lineBuffer, 0, sizeof lineBuffer);
}

void FormatLine(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  // A line longer than 79 characters is cut; the bytes after its end keep
  // the zeros that ClearLineBuffer left.
  std::vsnprintf(lineBuffer, sizeof lineBuffer, format, args);
  va_end(args);
}

void ShowMessage(const char* text, int line, std::uint32_t colour) {
  TracePlayerIfChanged();
  TraceMessage(text, line, colour);

  if (line == 1) {
    FillRect(18, 378, 622, 462, kRawWhite, FrontSurface);
    FillRect(20, 380, 620, 460, kRawBlack, FrontSurface);
    PlaySlot(sounds::button2, kPlayOnce);
  }

  // Every byte of the line is looked at, not just those before the first
  // zero: a zero inside leaves a gap and the text after it still shows.
  // Blanks are typed like letters, so leading blanks delay the words.
  const int top = LineTop(line);
  if (top >= 0) {
    for (int i = 0; i < kLineBytes; ++i) {
      if (text[i] == 0) continue;
      const char one[2] = {text[i], 0};
      DrawTextAt(one, 25 + 10 * i, top, colour, FrontSurface);
      Sleep(kTypingPauseMs);
    }
  }

  if (line == 3) WaitForAcknowledgement();
  ClearLineBuffer();
}

int AskYesNo() {
  const int answer = RunYesNoPrompt();
  TraceEvent("yesno").Int("answer", answer);
  return answer;
}
