// Opt-in frame timing (--trace-presents): wraps the host and writes
// {"ev":"present","us":N} to the trace each time a frame has been shown, N
// being wall-clock microseconds since 1970, so that the pacing of the window
// and the time from launch to the first frame can be measured from outside.
// The title draws straight onto the screen rather than presenting, so the
// first such drawing is also marked, once, as {"ev":"first_picture","us":N};
// a host shows it at its next wait or read.
#pragma once

#include "host/host_decorator.h"

class PresentTrace : public HostDecorator {
 public:
  explicit PresentTrace(Host& inner) : HostDecorator(inner) {}
  void Present(const ScreenView& screen) override;
  void VisibleChanged(const ScreenView& screen) override;

 private:
  void MarkFirstPicture();  // once, at the first picture handed over
  bool pictureSeen_ = false;
};
