#include "dialogue_events.h"

#include <cstdlib>
#include <memory>

#include "platform/display.h"

namespace {

std::string StrField(const std::string& traceLine, const std::string& key) {
  const std::string needle = "\"" + key + "\":\"";
  auto at = traceLine.find(needle);
  if (at == std::string::npos) return "<missing>";
  std::string value;
  for (at += needle.size(); at < traceLine.size() && traceLine[at] != '"'; ++at) {
    if (traceLine[at] != '\\') {
      value += traceLine[at];
    } else if (traceLine[++at] == 'u') {
      value += static_cast<char>(std::strtol(traceLine.substr(at + 1, 4).c_str(), nullptr, 16));
      at += 4;
    } else {
      value += traceLine[at];
    }
  }
  return value;
}

}  // namespace

std::int64_t IntField(const std::string& traceLine, const std::string& key) {
  const std::string needle = "\"" + key + "\":";
  const auto at = traceLine.find(needle);
  return at == std::string::npos ? -1 : std::strtoll(&traceLine[at + needle.size()], nullptr, 10);
}

std::vector<std::string> Events(const std::vector<std::string>& trace, const std::string& ev) {
  std::vector<std::string> picked;
  for (const std::string& line : trace) {
    if (line.find("\"ev\":\"" + ev + "\"") != std::string::npos) picked.push_back(line);
  }
  return picked;
}

std::vector<Message> Messages(const std::vector<std::string>& trace) {
  std::vector<Message> messages;
  for (const std::string& line : Events(trace, "message")) {
    messages.push_back({static_cast<int>(IntField(line, "line")),
                        static_cast<std::uint32_t>(IntField(line, "colour")),
                        StrField(line, "text")});
  }
  return messages;
}

int Plays(const std::vector<std::string>& trace, const std::string& name) {
  int plays = 0;
  for (const std::string& line : Events(trace, "sound")) {
    plays += StrField(line, "op") == "play" && StrField(line, "name") == name;
  }
  return plays;
}

void Serve(HeadlessGame& game, const Customer& customer) {
  auto menuShownAt = std::make_shared<std::uint32_t>(0);  // 0: not yet
  auto steered = std::make_shared<bool>(false);
  game.host().SetHeld(kA);
  game.host().SetReadHook([&game, customer, menuShownAt, steered](std::uint32_t t) {
    std::uint32_t& shown = *menuShownAt;
    if (shown == 0 && game.host().VisibleAt(158, 115) == kRawWhite) shown = t;
    std::uint32_t held = kA;
    if (shown != 0) held = t - shown < 120u * customer.downPasses ? kDown : customer.choiceKey;
    // Right for the first read of the prompt, then A answers NO.
    if (customer.declines && !*steered && game.host().VisibleAt(506, 316) == kRawWhite) {
      *steered = true;
      held = kRight;
    }
    game.host().SetHeld(held);
  });
}
