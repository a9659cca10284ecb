// Reading the dialogue's trace back, and a scripted player, for the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/headless_game.h"

struct Message {
  int line;
  std::uint32_t colour;
  std::string text;  // zero bytes inside kept as '\0'
  bool operator==(const Message&) const = default;
};

std::int64_t IntField(const std::string& traceLine, const std::string& key);
// The events of one kind among trace lines.
std::vector<std::string> Events(const std::vector<std::string>& trace, const std::string& ev);
std::vector<Message> Messages(const std::vector<std::string>& trace);
// How often the sound of that name was started.
int Plays(const std::vector<std::string>& trace, const std::string& name);
inline std::string Indented(int blanks, const std::string& text) {
  return std::string(blanks, ' ') + text;
}

// A player for the shop and the inn who watches the screen: A for every box
// and the prompt; once the price list shows, Down for `downPasses` passes of
// the menu, then `choiceKey`. One who `declines` steers the prompt to NO.
struct Customer {
  int downPasses = 0;
  std::uint32_t choiceKey = kA;
  bool declines = false;
};
void Serve(HeadlessGame& game, const Customer& customer);
