#include "shell/present_trace.h"

#include <chrono>

#include "platform/trace.h"

void PresentTrace::Present(const ScreenView& screen) {
  Inner().Present(screen);
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  TraceEvent("present").Int("us",
                            std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}
