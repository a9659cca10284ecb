#include "host/headless_script.h"

#include <charconv>
#include <sstream>

namespace {

struct Name {
  std::string_view word;
  std::uint32_t bit;
};

constexpr Name kNames[] = {
    {"Up", kUp},
    {"Down", kDown},
    {"Left", kLeft},
    {"Right", kRight},
    {"A", kA},
    {"S", kS},
    {"Z", kZ},
    {"Esc", kEsc},
    {"Pad0", kPad0},
    {"Pad1", kPad1},
    {"Pad2", kPad2},
    {"PadUp", kPadUp},
    {"PadDown", kPadDown},
    {"PadLeft", kPadLeft},
    {"PadRight", kPadRight},
};

std::optional<std::uint32_t> ControlNamed(std::string_view word) {
  for (const Name& n : kNames) {
    if (n.word == word) return n.bit;
  }
  return std::nullopt;
}

}  // namespace

std::uint32_t InputScript::HeldAt(std::uint32_t ms) const {
  std::uint32_t held = 0;
  for (const ScriptStep& step : steps) {
    if (step.from > ms) break;
    held = step.controls;
  }
  return held;
}

std::optional<InputScript> ParseInputScript(std::string_view text, std::string* error) {
  InputScript script;
  std::istringstream in{std::string(text)};
  std::string line;
  int number = 0;
  auto fail = [&](const std::string& why) {
    if (error != nullptr) *error = "line " + std::to_string(number) + ": " + why;
    return std::nullopt;
  };
  while (std::getline(in, line)) {
    ++number;
    if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string word;
    if (!(words >> word)) continue;
    std::uint32_t ms = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), ms);
    if (ec != std::errc() || end != word.data() + word.size()) {
      return fail("'" + word + "' is not a time in whole milliseconds");
    }
    if (!script.steps.empty() && ms < script.steps.back().from) {
      return fail("time " + word + " goes back");
    }
    ScriptStep step{ms, 0};
    while (words >> word) {
      const auto bit = ControlNamed(word);
      if (!bit) return fail("unknown control '" + word + "'");
      step.controls |= *bit;
    }
    if ((step.controls & kAnyPad) != 0) script.padAttached = true;
    script.steps.push_back(step);
  }
  return script;
}
