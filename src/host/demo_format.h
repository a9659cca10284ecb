// The demo file: what every device read of a game returned, so that the same
// game can be played again.
//
// The game's course depends only on what its device reads return and on the
// fixed sequence of its random draw, never on the clock, so feeding the same
// answers to the same reads plays the same game on either host.
//
// Layout (numbers little-endian):
//   "PQDEMO\x1a\n"                      8 bytes
//   format version                      u16 (kDemoFormatVersion)
//   game version length, text           u8 (1 to 64), printable bytes
//   records, each a kind byte:
//     'K' count:u32 n:u16 code:u8 * n   n keyboard reads, the keys down in
//                                       rising order (down reads as 0x80)
//     'G' count:u32 attached:u8 x:i32 y:i32 buttons:u32
//                                       n gamepad reads (all zero when detached)
//     'E' count:u32 down:u8             n Escape queries
//     'Q' call:u64 way:u8               the player quit the game (window
//                                       closed, Ctrl+C, SIGTERM) at the
//                                       call-th host call that can carry a
//                                       quit, the way DemoQuit::Way says;
//                                       at most one, right before the end
//     'Z' keyboard:u64 gamepad:u64 escape:u64
//                                       the end: the reads of each kind in all;
//                                       nothing may follow it
// Consecutive equal answers of one kind are stored once with their count, so
// a demo grows only when the player changes what they hold. Records of
// different kinds interleave in the order their runs ended. Format 1 is the
// same without 'Q'; it is still read.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/host.h"

inline constexpr std::uint16_t kDemoFormatVersion = 2;
// Far more than hours of play; a larger file is refused rather than read.
inline constexpr std::size_t kLargestDemoBytes = 16u << 20;

template <typename T>
struct DemoRun {
  T value{};
  std::uint32_t count = 0;
};

// How the recorded game was quit by its player. The host calls that can
// carry a quit (Sleep, WaitUntil, Present, WaitForEvent, ReadKeyboard,
// ReadGamepad, PollEvent, QuitRequested) are counted from 1 as the game makes
// them; the replay makes the same calls and quits at the same one.
struct DemoQuit {
  enum class Way : std::uint8_t {
    Before = 0,  // a blocking call threw before it did anything
    After = 1,   // a blocking call did its work (time passed), then threw
    Event = 2,   // PollEvent answered Quit
    Asked = 3,   // QuitRequested answered true
  };
  std::uint64_t call = 0;
  Way way = Way::Before;
};

struct Demo {
  std::string gameVersion;
  std::vector<DemoRun<KeySnapshot>> keyboard;
  std::vector<DemoRun<PadSnapshot>> gamepad;
  std::vector<DemoRun<bool>> escape;
  std::optional<DemoQuit> quit;  // none: the run was ended from outside the game
};

// Parses a whole demo file. On any fault (wrong magic or version, a record
// cut short, an unknown kind, a zero count, totals that disagree, bytes after
// the end) returns nothing and sets *error to what is wrong.
std::optional<Demo> ParseDemo(std::string_view bytes, std::string* error);
// Reads and parses the file; *error then names the file.
std::optional<Demo> LoadDemo(const std::string& path, std::string* error);

// Writes a demo as the reads happen; each run is written when it ends, the
// last ones and the end record by Finish.
class DemoWriter {
 public:
  DemoWriter() = default;
  ~DemoWriter();
  DemoWriter(const DemoWriter&) = delete;
  DemoWriter& operator=(const DemoWriter&) = delete;

  // Starts the demo in a new file beside `path` and writes the header; false
  // with *error set, also when `path` exists and `replace` is false.
  bool Open(const std::string& path, std::string_view gameVersion, bool replace,
            std::string* error);
  void AddKeyboard(const KeySnapshot& keys);
  void AddGamepad(const PadSnapshot& pad);
  void AddEscape(bool down);
  // The player quit the game; only the first call counts.
  void SetQuit(const DemoQuit& quit) {
    if (!quit_) quit_ = quit;
  }
  // Writes what is pending and the end record, closes the file and puts it
  // in its place; false with *error set when any write failed (and then
  // `path` is left as it was). Safe to call more than once.
  bool Finish(std::string* error);

 private:
  template <typename T>
  struct PendingRun {
    T value{};
    std::uint32_t count = 0;
    std::uint64_t total = 0;
  };
  void Write(const std::string& bytes);
  void FlushKeyboard();
  void FlushGamepad();
  void FlushEscape();
  bool PutInPlace() const;  // the temporary file onto the path; errno set

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string temp_;
  bool replace_ = false;
  int errno_ = 0;  // of the first failed write
  bool failed_ = false;
  PendingRun<KeySnapshot> keyboard_;
  PendingRun<PadSnapshot> gamepad_;
  PendingRun<bool> escape_;
  std::optional<DemoQuit> quit_;
};

// The same answer for the demo: keys that are down read as 0x80, every
// other byte as 0; a detached pad reads as all zero.
KeySnapshot NormalisedKeys(const KeySnapshot& keys);
PadSnapshot NormalisedPad(const PadSnapshot& pad);
