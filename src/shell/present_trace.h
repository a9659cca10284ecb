// Opt-in frame timing (--trace-presents): wraps the host and writes
// {"ev":"present","us":N} to the trace each time a frame has been shown,
// N being wall-clock microseconds since 1970, precise enough to measure the
// pacing of the window and the time from launch to the first frame.
#pragma once

#include "host/host_decorator.h"

class PresentTrace : public HostDecorator {
 public:
  explicit PresentTrace(Host& inner) : HostDecorator(inner) {}
  void Present(const ScreenView& screen) override;
};
