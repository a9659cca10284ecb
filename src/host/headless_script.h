// The input script of a headless run:
//
//   # comment; blank lines are ignored
//   <ms> [control ...]
//
// From virtual time <ms> on, exactly the named controls are held until the
// next line; the last line holds for the rest of the run. Controls: Up Down
// Left Right A S Z Esc (keys), Pad0 Pad1 Pad2 (gamepad buttons), PadUp
// PadDown PadLeft PadRight (the stick at the end of that axis). Naming any Pad
// control attaches a gamepad. Times are whole and non-decreasing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum Control : std::uint32_t {
  kUp = 1u << 0,
  kDown = 1u << 1,
  kLeft = 1u << 2,
  kRight = 1u << 3,
  kA = 1u << 4,
  kS = 1u << 5,
  kZ = 1u << 6,
  kEsc = 1u << 7,
  kPad0 = 1u << 8,
  kPad1 = 1u << 9,
  kPad2 = 1u << 10,
  kPadUp = 1u << 11,
  kPadDown = 1u << 12,
  kPadLeft = 1u << 13,
  kPadRight = 1u << 14,
};
inline constexpr std::uint32_t kAnyPad =
    kPad0 | kPad1 | kPad2 | kPadUp | kPadDown | kPadLeft | kPadRight;

struct ScriptStep {
  std::uint32_t from;      // virtual ms
  std::uint32_t controls;  // Control bits held from then on
};

struct InputScript {
  std::vector<ScriptStep> steps;  // ordered by time
  bool padAttached = false;
  // The controls held at virtual time `ms`.
  std::uint32_t HeldAt(std::uint32_t ms) const;
};

// A script longer than this is refused unread (an hour of play is a few KB).
inline constexpr std::uintmax_t kMaxScriptBytes = std::uintmax_t{1} << 20;

// Parses a script; on error returns nothing and sets *error to a message that
// names the line number.
std::optional<InputScript> ParseInputScript(std::string_view text, std::string* error);
