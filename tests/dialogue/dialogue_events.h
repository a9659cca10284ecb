// Reading the game's trace back, and a scripted customer, for the tests.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/display.h"
#include "support/headless_game.h"

inline bool Has(const std::string& line, const std::string& part) {
  return line.find(part) != std::string::npos;
}

// A number field of a trace line; -1 if absent.
inline std::int64_t IntField(const std::string& line, const std::string& key) {
  const auto at = line.find("\"" + key + "\":");
  return at == std::string::npos ? -1 : std::strtoll(&line[at + key.size() + 3], nullptr, 10);
}

inline std::vector<std::string> Events(const std::vector<std::string>& trace,
                                       const std::string& ev) {
  std::vector<std::string> picked;
  for (const std::string& line : trace) {
    if (Has(line, "\"ev\":\"" + ev + "\"")) picked.push_back(line);
  }
  return picked;
}

// Each message as line, colour (White, Yellow, Red) and text as traced, a
// zero byte as \u0000: "2Y    Hi".
inline std::vector<std::string> Messages(const std::vector<std::string>& trace) {
  std::vector<std::string> messages;
  for (const std::string& line : Events(trace, "message")) {
    const std::int64_t colour = IntField(line, "colour");
    const std::size_t text = line.find("\"text\":\"") + 8;
    messages.push_back(std::to_string(IntField(line, "line")) +
                       (colour == 0xFFFFFF   ? "W"
                        : colour == 0x32FFFF ? "Y"
                        : colour == 0xFF     ? "R"
                                             : "?") +
                       line.substr(text, line.rfind('"') - text));
  }
  return messages;
}

inline int Plays(const std::vector<std::string>& trace, const std::string& name) {
  int plays = 0;
  for (const std::string& line : Events(trace, "sound"))
    plays += Has(line, "\"op\":\"play\",\"name\":\"" + name + "\"");
  return plays;
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
  auto shownAt = std::make_shared<std::uint32_t>(0);
  auto steered = std::make_shared<bool>(false);
  game.host().SetHeld(kA);
  game.host().SetReadHook([&game, customer, shownAt, steered](std::uint32_t t) {
    if (*shownAt == 0 && game.host().VisibleAt(158, 115) == kRawWhite) *shownAt = t;
    std::uint32_t held = kA;
    if (*shownAt != 0)
      held = t - *shownAt < 120u * customer.downPasses ? kDown : customer.choiceKey;
    if (customer.declines && !*steered && game.host().VisibleAt(506, 316) == kRawWhite) {
      *steered = true;  // Right once at the prompt, then A answers NO
      held = kRight;
    }
    game.host().SetHeld(held);
  });
}
