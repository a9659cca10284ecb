#include "shell/game_main.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "host/headless_host.h"
#include "host/sdl_host.h"
#include "platform/data_files.h"
#include "platform/host_link.h"
#include "platform/trace.h"
#include "shell/assets.h"
#include "shell/main_loop.h"
#include "shell/options.h"

namespace {

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path(".") : exe.parent_path();
}

// The current folder (where the game has always looked), then beside the
// executable, then the installed data folder.
std::vector<std::filesystem::path> DataFolders(const Options& options) {
  if (!options.dataDir.empty()) return {options.dataDir};
  return {".", ExecutableFolder(), PQ_DATA_DIR};
}

std::unique_ptr<Host> OpenHost(const Options& options) {
  if (options.headless) {
    InputScript script;
    if (!options.script.empty()) {
      std::ifstream in(options.script);
      if (!in) {
        std::fprintf(stderr, "pimquest: cannot read script %s\n", options.script.c_str());
        return nullptr;
      }
      std::stringstream text;
      text << in.rdbuf();
      std::string error;
      auto parsed = ParseInputScript(text.str(), &error);
      if (!parsed) {
        std::fprintf(stderr, "pimquest: %s: %s\n", options.script.c_str(), error.c_str());
        return nullptr;
      }
      script = std::move(*parsed);
    }
    auto host = std::make_unique<HeadlessHost>(std::move(script));
    for (const auto& [ms, file] : options.shots) host->AddScreenshot(ms, file);
    if (options.until) host->SetQuitAt(*options.until);
    return host;
  }
  SdlHostOptions settings;
  settings.scale = options.scale;
  settings.fullscreen = options.fullscreen;
  settings.mute = options.mute;
  settings.iconPath = FindDataFile("icon.bmp").string();
  std::string error;
  auto host = SdlHost::Open(settings, &error);
  if (!host) std::fprintf(stderr, "pimquest: cannot open the window: %s\n", error.c_str());
  return host;
}

}  // namespace

int GameMain(int argc, const char* const* argv) {
  std::string error;
  const auto options = ParseOptions(argc, argv, &error);
  if (!options) {
    std::fprintf(stderr, "pimquest: %s\n%s", error.c_str(), UsageText());
    return 2;
  }
  if (options->help) {
    std::fputs(UsageText(), stdout);
    return 0;
  }
  if (options->version) {
    std::printf("Pim Quest %s\n", PQ_VERSION);
    return 0;
  }
  SetDataFolders(DataFolders(*options));
  if (!options->trace.empty() && !OpenTrace(options->trace)) {
    std::fprintf(stderr, "pimquest: cannot write trace %s\n", options->trace.c_str());
    return 1;
  }
  std::unique_ptr<Host> host = OpenHost(*options);
  if (!host) return 1;
  AttachHost(host.get());
  int code = 0;
  if (StartUp() == 0) {
    // Never play with a picture missing: say so (StartUp did) and leave.
    ShutDown();
    code = 1;
    TraceEvent("quit").Int("code", code);
  } else {
    code = RunGame();
  }
  AttachHost(nullptr);
  CloseTrace();
  return code;
}
