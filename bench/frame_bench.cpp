// How much a walking-scene frame costs beside the plainest possible copy of
// a screen: 300 opaque 32 x 32 tiles, 10 keyed sprites and one present on the
// headless host, against copying one 640 x 480 16-bit buffer into another.
// Prints both and their ratio; the goal is a frame of at most 3 copies.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "host/headless_host.h"
#include "platform/display.h"
#include "platform/host_link.h"

namespace {

constexpr std::uint16_t kMagenta = 0x7C1F;

// A tile sheet of 16 x 2 squares with a pattern in each.
Surface TileSheet() {
  Surface s(512, 64);
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x)
      s.At(x, y) = static_cast<std::uint16_t>((x * 7 + y * 13) & 0x7FFF);
  }
  return s;
}

// A sprite sheet whose figures cover about half of each 32 x 32 frame.
Surface SpriteSheet() {
  Surface s(128, 128);
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      const int dx = x % 32 - 16;
      const int dy = y % 32 - 16;
      s.At(x, y) = dx * dx + dy * dy < 160 ? static_cast<std::uint16_t>(0x03E0 + x) : kMagenta;
    }
  }
  s.colourKey = kMagenta;
  return s;
}

void WalkingFrame(benchmark::State& state) {
  HeadlessHost host;
  AttachHost(&host);
  InitDisplay(kScreenWidth, kScreenHeight, 16);
  Surface tiles = TileSheet();
  Surface sprites = SpriteSheet();
  int frame = 0;
  for (auto _ : state) {
    // The map: 20 x 15 tiles, scrolled by a few pixels as while walking, so
    // the edge tiles are clipped as they are in the game.
    const int scroll = frame % 32;
    int k = frame;
    for (int ty = 0; ty < 15; ++ty) {
      for (int tx = 0; tx < 20; ++tx, ++k) {
        const int sx = (k % 16) * 32;
        const int sy = (k / 16 % 2) * 32;
        Rect r{sx, sy, sx + 32, sy + 32};
        BlitClipped(BackBuffer, tx * 32 - scroll, ty * 32, &tiles, r, kCopyOpaque);
      }
    }
    for (int i = 0; i < 10; ++i) {
      const int sx = (i % 4) * 32;
      const int sy = (i / 4 % 4) * 32;
      Rect r{sx, sy, sx + 32, sy + 32};
      BlitClipped(BackBuffer, 40 + i * 57, 200 + (i % 3) * 20, &sprites, r, kCopyKeyed);
    }
    PresentFrame();
    ++frame;
  }
  ShutdownDisplay();
  AttachHost(nullptr);
}
BENCHMARK(WalkingFrame)->Unit(benchmark::kMicrosecond);

void PlainScreenCopy(benchmark::State& state) {
  std::vector<std::uint16_t> from(kScreenWidth * kScreenHeight, 0x1234);
  std::vector<std::uint16_t> to(kScreenWidth * kScreenHeight);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof from[0]);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(PlainScreenCopy)->Unit(benchmark::kMicrosecond);

// The console report, keeping each benchmark's time for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration)
        times[run.run_name.function_name] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto frame = reporter.times.find("WalkingFrame");
  const auto copy = reporter.times.find("PlainScreenCopy");
  if (frame != reporter.times.end() && copy != reporter.times.end() && copy->second > 0) {
    std::printf("walking frame / plain screen copy = %.2f in processor time (goal: at most 3)\n",
                frame->second / copy->second);
  }
  benchmark::Shutdown();
  return 0;
}
