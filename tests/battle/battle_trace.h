// Reading the battle tests' trace lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The value of a string field of one JSON trace line, unescaped as far as the
// game's texts need it ("" when absent).
inline std::string TraceText(const std::string& line, const std::string& key) {
  const std::string open = "\"" + key + "\":\"";
  std::size_t at = line.find(open);
  if (at == std::string::npos) return "";
  std::string out;
  for (at += open.size(); at < line.size() && line[at] != '"'; ++at) {
    if (line[at] == '\\' && at + 1 < line.size()) ++at;
    out += line[at];
  }
  return out;
}

// The value of a number field ("t", "line", "won", ...); -1 when absent.
inline std::int64_t TraceInt(const std::string& line, const std::string& key) {
  const std::string open = "\"" + key + "\":";
  const std::size_t at = line.find(open);
  if (at == std::string::npos) return -1;
  return std::stoll(line.substr(at + open.size()));
}

inline std::vector<std::string> Texts(const std::vector<std::string>& messages) {
  std::vector<std::string> out;
  for (const auto& m : messages) out.push_back(TraceText(m, "text"));
  return out;
}

// The first trace line of event `ev` whose field `key` is `value`; "" if none.
inline std::string FindEvent(const std::vector<std::string>& trace, const std::string& ev,
                             const std::string& key, const std::string& value) {
  for (const auto& line : trace) {
    if (TraceText(line, "ev") == ev && TraceText(line, key) == value) return line;
  }
  return "";
}
