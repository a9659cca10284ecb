// Reading the battle tests' trace lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A string field of one JSON trace line ("" when absent); the battle's texts
// need no unescaping.
inline std::string TraceText(const std::string& line, const std::string& key) {
  const std::size_t at = line.find("\"" + key + "\":\"");
  if (at == std::string::npos) return "";
  const std::size_t from = at + key.size() + 4;
  return line.substr(from, line.find('"', from) - from);
}

// A number field ("t", "line", "won", ...); -1 when absent.
inline std::int64_t TraceInt(const std::string& line, const std::string& key) {
  const std::size_t at = line.find("\"" + key + "\":");
  return at == std::string::npos ? -1 : std::stoll(line.substr(at + key.size() + 3));
}

inline std::vector<std::string> Texts(const std::vector<std::string>& trace) {
  std::vector<std::string> out;
  for (const auto& line : trace) {
    if (TraceText(line, "ev") == "message") out.push_back(TraceText(line, "text"));
  }
  return out;
}

// The first line of event `ev` (whose `key` is `value`, when given); "" if none.
inline std::string Find(const std::vector<std::string>& trace, const std::string& ev,
                        const std::string& key = "", const std::string& value = "") {
  for (const auto& line : trace) {
    if (TraceText(line, "ev") == ev && (key.empty() || TraceText(line, key) == value)) return line;
  }
  return "";
}

// When the sound of that name was first started; -1 if never.
inline std::int64_t PlayedAt(const std::vector<std::string>& trace, const std::string& name) {
  return TraceInt(Find(trace, "sound", "name", name), "t");
}
