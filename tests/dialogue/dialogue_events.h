// Reading the dialogue's trace lines back in the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "support/headless_game.h"

struct Message {
  int line = 0;
  std::uint32_t colour = 0;
  std::string text;  // zero bytes inside kept as '\0'
  std::uint32_t t = 0;
};

// The number after "key": in one trace line; -1 when the key is missing.
std::int64_t IntField(const std::string& traceLine, const std::string& key);
// The string after "key": in one trace line, with its escapes undone.
std::string StrField(const std::string& traceLine, const std::string& key);

// The message lines among trace lines (game.TakeTrace()).
std::vector<Message> Messages(const std::vector<std::string>& trace);
// The message lines shown since the trace was last taken.
std::vector<Message> TakeMessages(HeadlessGame& game);
// Names of the sounds started, in order, among trace lines.
std::vector<std::string> PlayedSounds(const std::vector<std::string>& trace);
// The lines of one kind of event among trace lines.
std::vector<std::string> Events(const std::vector<std::string>& trace, const std::string& ev);

// `n` blanks followed by `text`, as the scripts write their indented lines.
std::string Indented(int n, const std::string& text);

// Whether the menu pointer stands at (x, y) on `surface`: every opaque pixel
// of its picture is there.
bool CursorDrawnAt(const Surface* surface, int x, int y);
