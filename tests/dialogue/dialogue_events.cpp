#include "dialogue_events.h"

#include <cstdlib>

#include "shell/assets.h"

std::int64_t IntField(const std::string& traceLine, const std::string& key) {
  const std::string needle = "\"" + key + "\":";
  const auto at = traceLine.find(needle);
  if (at == std::string::npos) return -1;
  return std::strtoll(traceLine.c_str() + at + needle.size(), nullptr, 10);
}

std::string StrField(const std::string& traceLine, const std::string& key) {
  const std::string needle = "\"" + key + "\":\"";
  auto at = traceLine.find(needle);
  if (at == std::string::npos) return "<missing>";
  std::string value;
  for (at += needle.size(); at < traceLine.size() && traceLine[at] != '"'; ++at) {
    if (traceLine[at] != '\\') {
      value += traceLine[at];
      continue;
    }
    const char escaped = traceLine[++at];
    if (escaped == 'u') {
      value += static_cast<char>(std::strtol(traceLine.substr(at + 1, 4).c_str(), nullptr, 16));
      at += 4;
    } else {
      value += escaped;  // \" and \\ only; the game's texts have no others
    }
  }
  return value;
}

std::vector<std::string> Events(const std::vector<std::string>& trace, const std::string& ev) {
  const std::string needle = "\"ev\":\"" + ev + "\"";
  std::vector<std::string> picked;
  for (const std::string& line : trace) {
    if (line.find(needle) != std::string::npos) picked.push_back(line);
  }
  return picked;
}

std::vector<Message> Messages(const std::vector<std::string>& trace) {
  std::vector<Message> messages;
  for (const std::string& line : Events(trace, "message")) {
    messages.push_back(Message{static_cast<int>(IntField(line, "line")),
                               static_cast<std::uint32_t>(IntField(line, "colour")),
                               StrField(line, "text"),
                               static_cast<std::uint32_t>(IntField(line, "t"))});
  }
  return messages;
}

std::vector<Message> TakeMessages(HeadlessGame& game) {
  return Messages(game.TakeTrace());
}

std::vector<std::string> PlayedSounds(const std::vector<std::string>& trace) {
  std::vector<std::string> names;
  for (const std::string& line : Events(trace, "sound")) {
    if (StrField(line, "op") == "play") names.push_back(StrField(line, "name"));
  }
  return names;
}

std::string Indented(int n, const std::string& text) {
  return std::string(n, ' ') + text;
}

bool CursorDrawnAt(const Surface* surface, int x, int y) {
  const Surface& sheet = *pictures::pbattle;
  int opaque = 0;
  for (int dy = 0; dy < 32; ++dy) {
    for (int dx = 0; dx < 32; ++dx) {
      const std::uint16_t pixel = sheet.At(dx, 64 + dy);
      if (sheet.colourKey && pixel == *sheet.colourKey) continue;
      if (surface->At(x + dx, y + dy) != pixel) return false;
      ++opaque;
    }
  }
  return opaque > 0;
}
