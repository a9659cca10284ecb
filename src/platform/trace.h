// The event trace: one JSON object per line, for tests and scripted runs.
//
//   TraceEvent("state").Int("to", GameState);
//
// writes {"t":1234,"ev":"state","to":1} when the trace is open and costs
// next to nothing when it is not.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Opens the trace file; false when it cannot be written.
bool OpenTrace(const std::string& path);
// Keeps the trace in memory instead (tests read it with TakeTrace).
void OpenTraceInMemory();
// The lines written to the memory trace so far; empties it.
std::string TakeTrace();
// Closes the trace; false with *error (when given) naming the file when any
// line could not be written.
bool CloseTrace(std::string* error = nullptr);
bool TraceOpen();

class TraceEvent {
 public:
  explicit TraceEvent(std::string_view ev);
  ~TraceEvent();  // writes the line
  TraceEvent(const TraceEvent&) = delete;
  TraceEvent& operator=(const TraceEvent&) = delete;

  TraceEvent& Int(std::string_view key, std::int64_t value);
  // Bytes are escaped for JSON; a zero byte becomes \u0000.
  TraceEvent& Str(std::string_view key, std::string_view value);

 private:
  std::string line_;
  bool on_;
};
