#include "shell/game_main.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "host/demo_player.h"
#include "host/demo_recorder.h"
#include "host/headless_host.h"
#include "host/sdl_host.h"
#include "platform/data_files.h"
#include "platform/host_link.h"
#include "platform/trace.h"
#include "shell/main_loop.h"
#include "shell/options.h"
#include "shell/present_trace.h"
#include "state/assets.h"

namespace {

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path(".") : exe.parent_path();
}

// The current folder (where the game has always looked), then beside the
// executable, then the installed data folder: first where it lies from the
// executable, so that a moved or staged installation finds its own files,
// then where it was installed to.
std::vector<std::filesystem::path> DataFolders(const Options& options) {
  if (!options.dataDir.empty()) return {options.dataDir};
  const auto exe = ExecutableFolder();
  return {".", exe, (exe / PQ_DATA_FROM_BIN).lexically_normal(), PQ_DATA_DIR};
}

std::unique_ptr<Host> OpenHost(const Options& options) {
  if (options.headless) {
    InputScript script;
    if (!options.script.empty()) {
      std::string error;
      const auto text = ReadWholeFile(options.script, kMaxScriptBytes, &error);
      if (!text) {
        std::fprintf(stderr, "pimquest: script %s %s\n", options.script.c_str(), error.c_str());
        return nullptr;
      }
      auto parsed = ParseInputScript(
          std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), &error);
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
  // A demo is read whole before anything opens, so a bad one is refused at
  // once.
  std::optional<Demo> demo;
  if (!options->replay.empty()) {
    demo = LoadDemo(options->replay, &error);
    if (!demo) {
      std::fprintf(stderr, "pimquest: %s\n", error.c_str());
      CloseTrace();
      return 1;
    }
    if (demo->gameVersion != PQ_VERSION) {
      std::fprintf(stderr,
                   "pimquest: the demo %s was made by Pim Quest %s; it may play otherwise\n",
                   options->replay.c_str(), demo->gameVersion.c_str());
    }
  }
  std::unique_ptr<Host> host = OpenHost(*options);
  if (!host) {
    CloseTrace();
    return 1;
  }
  // The decorators wrap the real host, innermost first.
  Host* top = host.get();
  std::unique_ptr<PresentTrace> presents;
  if (options->tracePresents) {
    presents = std::make_unique<PresentTrace>(*top);
    top = presents.get();
  }
  std::unique_ptr<DemoRecorder> recorder;
  if (!options->record.empty()) {
    recorder = std::make_unique<DemoRecorder>(*top);
    if (!recorder->Open(options->record, PQ_VERSION, &error)) {
      std::fprintf(stderr, "pimquest: %s\n", error.c_str());
      CloseTrace();
      return 1;
    }
    top = recorder.get();
  }
  std::unique_ptr<DemoPlayer> player;
  if (demo) {
    player = std::make_unique<DemoPlayer>(*top, std::move(*demo));
    player->SetOnEnd([name = options->replay] {
      std::printf("pimquest: the demo %s has ended; nothing is held from now on\n", name.c_str());
      std::fflush(stdout);
    });
    top = player.get();
  }
  AttachHost(top);
  int code = 0;
  int started = 0;
  bool quitWhileStarting = false;
  try {
    started = StartUp();
  } catch (const QuitRequest&) {
    // Closed or signalled while the files were loading (StartUp reads the
    // controller, a blocking call): leave in order, as from the game.
    quitWhileStarting = true;
  }
  if (quitWhileStarting) {
    ShutDown();
    TraceEvent("quit").Int("code", 0);
  } else if (started == 0) {
    // Never play with a picture missing: say so (StartUp did) and leave.
    ShutDown();
    code = 1;
    TraceEvent("quit").Int("code", code);
  } else {
    code = RunGame();
  }
  AttachHost(nullptr);
  if (recorder && !recorder->Finish(&error)) {
    std::fprintf(stderr, "pimquest: %s\n", error.c_str());
    code = 1;
  }
  CloseTrace();
  return code;
}
