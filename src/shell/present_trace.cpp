#include "shell/present_trace.h"

#include <chrono>

#include "platform/trace.h"

namespace {

std::int64_t WallMicroseconds() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::microseconds>(now).count();
}

}  // namespace

void PresentTrace::MarkFirstPicture() {
  if (pictureSeen_) return;
  pictureSeen_ = true;
  TraceEvent("first_picture").Int("us", WallMicroseconds());
}

void PresentTrace::Present(const ScreenView& screen) {
  MarkFirstPicture();
  Inner().Present(screen);
  TraceEvent("present").Int("us", WallMicroseconds());
}

void PresentTrace::VisibleChanged(const ScreenView& screen) {
  // An empty view withdraws the picture as the display closes: no picture.
  if (screen.pixels != nullptr) MarkFirstPicture();
  Inner().VisibleChanged(screen);
}
