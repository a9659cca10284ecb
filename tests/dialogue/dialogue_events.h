// Reading the dialogue's trace back, and a scripted customer, for the tests.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/display.h"
#include "support/headless_game.h"

struct Message {
  int line;
  std::uint32_t colour;
  std::string text;  // zero bytes inside kept as '\0'
  bool operator==(const Message&) const = default;
};

// A string field of a trace line, \uXXXX escapes decoded; "<missing>" if absent.
inline std::string StrField(const std::string& line, const std::string& key) {
  auto at = line.find("\"" + key + "\":\"");
  if (at == std::string::npos) return "<missing>";
  std::string value;
  for (at += key.size() + 4; at < line.size() && line[at] != '"'; ++at) {
    if (line[at] == '\\' && line[++at] == 'u') {
      value += static_cast<char>(std::strtol(line.substr(at + 1, 4).c_str(), nullptr, 16));
      at += 4;
    } else {
      value += line[at];
    }
  }
  return value;
}

// A number field of a trace line; -1 if the line or the field is absent.
inline std::int64_t IntField(const std::string& line, const std::string& key) {
  const auto at = line.find("\"" + key + "\":");
  return at == std::string::npos ? -1 : std::strtoll(&line[at + key.size() + 3], nullptr, 10);
}

inline std::vector<std::string> Events(const std::vector<std::string>& trace,
                                       const std::string& ev) {
  std::vector<std::string> picked;
  for (const std::string& line : trace) {
    if (line.find("\"ev\":\"" + ev + "\"") != std::string::npos) picked.push_back(line);
  }
  return picked;
}

inline std::vector<Message> Messages(const std::vector<std::string>& trace) {
  std::vector<Message> messages;
  for (const std::string& line : Events(trace, "message")) {
    messages.push_back({static_cast<int>(IntField(line, "line")),
                        static_cast<std::uint32_t>(IntField(line, "colour")),
                        StrField(line, "text")});
  }
  return messages;
}

// How often the sound of that name was started.
inline int Plays(const std::vector<std::string>& trace, const std::string& name) {
  int plays = 0;
  for (const std::string& line : Events(trace, "sound")) {
    plays += StrField(line, "op") == "play" && StrField(line, "name") == name;
  }
  return plays;
}

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

inline void Serve(HeadlessGame& game, const Customer& customer) {
  auto shownAt = std::make_shared<std::uint32_t>(0);  // 0: the price list not yet shown
  auto steered = std::make_shared<bool>(false);
  game.host().SetHeld(kA);
  game.host().SetReadHook([&game, customer, shownAt, steered](std::uint32_t t) {
    if (*shownAt == 0 && game.host().VisibleAt(158, 115) == kRawWhite) *shownAt = t;
    std::uint32_t held = kA;
    if (*shownAt != 0)
      held = t - *shownAt < 120u * customer.downPasses ? kDown : customer.choiceKey;
    // Right for the first read of the prompt, then A answers NO.
    if (customer.declines && !*steered && game.host().VisibleAt(506, 316) == kRawWhite) {
      *steered = true;
      held = kRight;
    }
    game.host().SetHeld(held);
  });
}
