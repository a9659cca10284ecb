// The framed message box at the bottom of the screen and the yes/no prompt.
#pragma once

#include <cstdint>

// The one shared text line; all zero whenever no line is being composed.
extern char lineBuffer[80];

// Types line 1, 2 or 3 of the message box on the FrontSurface; line 1 opens a
// fresh box, line 3 waits for the player. Clears lineBuffer.
void ShowMessage(const char* text, int line, std::uint32_t colour);
void ClearLineBuffer();
// Formats into lineBuffer; never writes past its 80 bytes.
void FormatLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
// 1 for YES, 0 for NO.
int AskYesNo();
