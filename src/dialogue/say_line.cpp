#include "dialogue/say_line.h"

#include "dialogue/message_box.h"

void SayLine(int line, std::uint32_t colour, int blanks, const char* text) {
  // The blanks are part of the text: they are typed too, which delays the
  // words and sets them in from the left edge of the box.
  if (text != nullptr) FormatLine("%*s%s", blanks, "", text);
  ShowMessage(lineBuffer, line, colour);
}
