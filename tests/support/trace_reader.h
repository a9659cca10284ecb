// Reading the game's event trace back: one JSON object per line, written by
// the game itself, so a plain search for `"key":` is enough.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using Lines = std::vector<std::string>;

inline bool Has(std::string_view line, std::string_view part) {
  return line.find(part) != std::string_view::npos;
}

// The value of `key` as written: a string without its quotes (escapes kept,
// so a zero byte reads \u0000), or a number's digits; "" when absent.
inline std::string Field(std::string_view line, std::string_view key) {
  const std::string open = "\"" + std::string(key) + "\":";
  const std::size_t at = line.find(open);
  if (at == std::string_view::npos) return "";
  std::string_view value = line.substr(at + open.size());
  if (!value.starts_with('"')) return std::string(value.substr(0, value.find_first_of(",}")));
  std::size_t end = 1;
  while (end < value.size() && value[end] != '"') end += value[end] == '\\' ? 2u : 1u;
  return std::string(value.substr(1, end - 1));
}

// A number field ("t", "line", "won", ...); -1 when absent.
inline std::int64_t Num(std::string_view line, std::string_view key) {
  const std::string field = Field(line, key);
  return field.empty() ? -1 : std::stoll(field);
}

inline Lines Events(const Lines& trace, std::string_view ev) {
  Lines picked;
  for (const std::string& line : trace) {
    if (Field(line, "ev") == ev) picked.push_back(line);
  }
  return picked;
}

// The first line of event `ev` (whose `key` is `value`, when given); "" if none.
inline std::string Find(const Lines& trace, std::string_view ev, std::string_view key = "",
                        std::string_view value = "") {
  for (const std::string& line : Events(trace, ev)) {
    if (key.empty() || Field(line, key) == value) return line;
  }
  return "";
}

// The texts of the messages, in order.
inline Lines Texts(const Lines& trace) {
  Lines out;
  for (const std::string& line : Events(trace, "message")) out.push_back(Field(line, "text"));
  return out;
}

// Each message as line, colour (W white, Y yellow, R red) and text: "2Y    Hi".
inline Lines Messages(const Lines& trace) {
  Lines out;
  for (const std::string& line : Events(trace, "message")) {
    const std::int64_t colour = Num(line, "colour");
    const char* name = colour == 0xFFFFFF   ? "W"
                       : colour == 0x32FFFF ? "Y"
                       : colour == 0xFF     ? "R"
                                            : "?";
    out.push_back(Field(line, "line") + name + Field(line, "text"));
  }
  return out;
}

// How often the sound of that name was started, and when first (-1: never).
inline int Plays(const Lines& trace, std::string_view name) {
  int plays = 0;
  for (const std::string& line : Events(trace, "sound"))
    plays += Field(line, "op") == "play" && Field(line, "name") == name;
  return plays;
}
inline std::int64_t PlayedAt(const Lines& trace, std::string_view name) {
  for (const std::string& line : Events(trace, "sound")) {
    if (Field(line, "op") == "play" && Field(line, "name") == name) return Num(line, "t");
  }
  return -1;
}
