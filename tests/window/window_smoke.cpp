// pq_window_smoke [ICON]: opens the game's window, presents the test picture,
// draws the box on the visible picture, prints "ready" and waits for
// SIGTERM, after which it must end in order with exit code 0.
#include <cstdio>
#include <string>
#include <vector>

#include "host/sdl_host.h"
#include "test_picture.h"

int main(int argc, char** argv) {
  SdlHostOptions options;
  if (argc > 1) options.iconPath = argv[1];
  std::string error;
  auto host = SdlHost::Open(options, &error);
  if (!host) {
    std::fprintf(stderr, "pq_window_smoke: %s\n", error.c_str());
    return 2;
  }
  std::vector<std::uint16_t> back(640 * 480);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) back[ScreenOffset(x, y)] = smoke::BarsAt(x);
  }
  std::vector<std::uint16_t> front = back;
  for (int y = smoke::kBoxTop; y < smoke::kBoxBottom; ++y) {
    for (int x = smoke::kBoxLeft; x < smoke::kBoxRight; ++x) front[ScreenOffset(x, y)] = 0;
  }
  try {
    host->Present(ScreenView{back.data(), 640, 480});
    host->VisibleChanged(ScreenView{front.data(), 640, 480});
    host->Sleep(100);
    std::printf("ready scale=%d\n", host->Scale());
    std::fflush(stdout);
    // Keep the window up (and redrawn) until told to quit; give up after 30 s.
    for (int i = 0; i < 300; ++i) host->Sleep(100);
    std::fprintf(stderr, "pq_window_smoke: no quit request arrived\n");
    return 3;
  } catch (const QuitRequest&) {
    return 0;
  }
}
