// Reading the event trace's lines: one flat JSON object each, written by the
// game's own trace writer, so a plain search for the key is enough.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline bool IsTraceEvent(std::string_view line, std::string_view ev) {
  const std::string needle = "\"ev\":\"" + std::string(ev) + "\"";
  return line.find(needle) != std::string_view::npos;
}

// The value of a number field; `missing` when the line has no such field.
inline std::int64_t TraceInt(std::string_view line, std::string_view key,
                             std::int64_t missing = -1) {
  const std::string open = "\"" + std::string(key) + "\":";
  const std::size_t at = line.find(open);
  if (at == std::string_view::npos) return missing;
  return std::stoll(std::string(line.substr(at + open.size(), 24)));
}

// Whether a text field holds exactly `value`.
inline bool TraceTextIs(std::string_view line, std::string_view key, std::string_view value) {
  const std::string field = "\"" + std::string(key) + "\":\"" + std::string(value) + "\"";
  return line.find(field) != std::string_view::npos;
}
