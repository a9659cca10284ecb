#include "shell/game_main.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "host/demo_player.h"
#include "host/demo_recorder.h"
#include "host/headless_host.h"
#include "host/quit_signal.h"
#include "host/sdl_host.h"
#include "platform/data_files.h"
#include "platform/host_link.h"
#include "platform/trace.h"
#include "shell/main_loop.h"
#include "shell/options.h"
#include "shell/present_trace.h"

namespace {

void Complain(const std::string& what) {
  std::fprintf(stderr, "pimquest: %s\n", what.c_str());
}

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

std::unique_ptr<HeadlessHost> OpenHeadless(const Options& options) {
  InputScript script;
  if (!options.script.empty()) {
    std::string error;
    const auto text = ReadWholeFile(options.script, kMaxScriptBytes, &error);
    if (!text) {
      Complain("script " + options.script + " " + error);
      return nullptr;
    }
    auto parsed = ParseInputScript(
        std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), &error);
    if (!parsed) {
      Complain(options.script + ": " + error);
      return nullptr;
    }
    script = std::move(*parsed);
  }
  auto host = std::make_unique<HeadlessHost>(std::move(script));
  for (const auto& [ms, file] : options.shots) host->AddScreenshot(ms, file);
  if (options.until) host->SetQuitAt(*options.until);
  return host;
}

std::unique_ptr<Host> OpenWindow(const Options& options) {
  SdlHostOptions settings;
  settings.scale = options.scale;
  settings.fullscreen = options.fullscreen;
  settings.mute = options.mute;
  settings.iconPath = FindDataFile("icon.bmp").string();
  std::string error;
  auto host = SdlHost::Open(settings, &error);
  if (!host) Complain(error);
  return host;
}

// The real host and the decorators over it, innermost first; `top` is what
// the game talks to.
struct HostStack {
  std::unique_ptr<Host> device;
  HeadlessHost* headless = nullptr;
  std::unique_ptr<PresentTrace> presents;
  std::unique_ptr<DemoRecorder> recorder;
  std::unique_ptr<DemoPlayer> player;
  Host* top = nullptr;
};

// A demo is read whole before anything opens, so a bad one is refused at
// once. False when something cannot be opened (and was reported).
bool BuildHostStack(const Options& options, HostStack& stack) {
  std::string error;
  std::optional<Demo> demo;
  if (!options.replay.empty()) {
    demo = LoadDemo(options.replay, &error);
    if (!demo) {
      Complain(error);
      return false;
    }
    if (demo->gameVersion != PQ_VERSION) {
      Complain("the demo " + options.replay + " was made by Pim Quest " + demo->gameVersion +
               "; it may play otherwise");
    }
  }
  if (options.headless) {
    auto headless = OpenHeadless(options);
    stack.headless = headless.get();
    stack.device = std::move(headless);
  } else {
    stack.device = OpenWindow(options);
  }
  if (!stack.device) return false;
  stack.top = stack.device.get();
  if (options.tracePresents) {
    stack.presents = std::make_unique<PresentTrace>(*stack.top);
    stack.top = stack.presents.get();
  }
  if (!options.record.empty()) {
    stack.recorder = std::make_unique<DemoRecorder>(*stack.top);
    if (!stack.recorder->Open(options.record, PQ_VERSION, options.force, &error)) {
      Complain(error);
      return false;
    }
    stack.recorder->SetRunLimitTest(
        [headless = stack.headless] { return headless != nullptr && headless->QuitIsRunLimit(); });
    stack.top = stack.recorder.get();
  }
  if (demo) {
    stack.player = std::make_unique<DemoPlayer>(*stack.top, std::move(*demo));
    stack.player->SetOnEnd([name = options.replay](bool quit) {
      std::printf(quit ? "pimquest: the demo %s has ended where its player quit\n"
                       : "pimquest: the demo %s has ended; nothing is held from now on\n",
                  name.c_str());
      std::fflush(stdout);
    });
    stack.top = stack.player.get();
  }
  return true;
}

// What was written but could not be: each is said, and the run fails.
int CheckWrites(const HostStack& stack, int code) {
  std::string error;
  // A game that never started leaves no demo (nor any file it would replace).
  if (stack.recorder && code == 0 && !stack.recorder->Finish(&error)) {
    Complain(error);
    code = 1;
  }
  if (stack.headless != nullptr) {
    if (stack.headless->ShotFailed()) code = 1;
    for (const std::string& file : stack.headless->ShotsNotTaken()) {
      Complain("the run ended before the screenshot " + file + " was due; it was not taken");
    }
  }
  if (!CloseTrace(&error)) {
    Complain(error);
    code = 1;
  }
  return code;
}

}  // namespace

int GameMain(int argc, const char* const* argv) {
  // First of all: from here on Ctrl+C and SIGTERM end the game in order.
  CatchQuitSignals();
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
    Complain("cannot write trace " + options->trace);
    return 1;
  }
  HostStack stack;
  int code = 1;
  if (BuildHostStack(*options, stack)) {
    AttachHost(stack.top);
    code = PlayGame();
    AttachHost(nullptr);
  }
  return CheckWrites(stack, code);
}
