#include "shell/options.h"

#include <charconv>
#include <string>
#include <string_view>

namespace {

std::optional<std::uint32_t> Number(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

const char* UsageText() {
  return "usage: pimquest [options]\n"
         "  --fullscreen        play full screen (Alt+Enter switches)\n"
         "  --window            play in a window (the default)\n"
         "  --scale N           window size in multiples of 640 x 480\n"
         "  --mute              no sound\n"
         "  --data DIR          take bmp/ and wav/ from DIR only\n"
         "  --help              this text\n"
         "  --version           the game's version\n"
         "scripted runs:\n"
         "  --headless          no window, no sound device, virtual time\n"
         "  --script FILE       held controls over time (see the README)\n"
         "  --trace FILE        write the event trace, one JSON object per line\n"
         "  --shot MS:FILE      write the screen as a BMP at virtual time MS (repeatable)\n"
         "  --until MS          quit in order at virtual time MS\n"
         "  --trace-presents    add a \"present\" event for every frame shown\n"
         "demos (either host):\n"
         "  --record FILE       write every device read to a new demo file\n"
         "  --force             let --record replace an existing file\n"
         "  --replay FILE       play a demo instead of reading the devices\n";
}

std::optional<Options> ParseOptions(int argc, const char* const* argv, std::string* error) {
  Options options;
  auto fail = [&](const std::string& why) {
    *error = why;
    return std::nullopt;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    // Options that take a value read the next word.
    auto value = [&]() -> std::optional<std::string_view> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string_view(argv[++i]);
    };
    if (arg == "--fullscreen") {
      options.fullscreen = true;
    } else if (arg == "--window") {
      options.fullscreen = false;
    } else if (arg == "--mute") {
      options.mute = true;
    } else if (arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--scale") {
      const auto v = value();
      const auto n = v ? Number(*v) : std::nullopt;
      if (!n || *n < 1 || *n > 8) return fail("--scale takes a whole number from 1 to 8");
      options.scale = static_cast<int>(*n);
    } else if (arg == "--force") {
      options.force = true;
    } else if (arg == "--trace-presents") {
      options.tracePresents = true;
    } else if (arg == "--data" || arg == "--script" || arg == "--trace" || arg == "--record" ||
               arg == "--replay") {
      const auto v = value();
      if (!v || v->empty()) return fail(std::string(arg) + " takes a path");
      std::string& field = arg == "--data"     ? options.dataDir
                           : arg == "--script" ? options.script
                           : arg == "--trace"  ? options.trace
                           : arg == "--record" ? options.record
                                               : options.replay;
      field = *v;
    } else if (arg == "--shot") {
      const auto v = value();
      const auto colon = v ? v->find(':') : std::string_view::npos;
      const auto ms = colon != std::string_view::npos ? Number(v->substr(0, colon)) : std::nullopt;
      if (!ms || colon + 1 >= v->size()) return fail("--shot takes MS:FILE");
      options.shots.emplace_back(*ms, std::string(v->substr(colon + 1)));
    } else if (arg == "--until") {
      const auto v = value();
      const auto ms = v ? Number(*v) : std::nullopt;
      if (!ms) return fail("--until takes a time in whole milliseconds");
      options.until = *ms;
    } else {
      return fail("unknown option '" + std::string(arg) + "'");
    }
  }
  if (!options.headless && (!options.script.empty() || !options.shots.empty() || options.until)) {
    return fail("--script, --shot and --until go with --headless");
  }
  // The run ends before such a shot: the picture would silently be missing.
  for (const auto& [ms, file] : options.shots) {
    if (options.until && ms > *options.until) {
      return fail("--shot " + std::to_string(ms) + ":" + file + " comes after --until " +
                  std::to_string(*options.until) + " and would never be taken");
    }
  }
  // A replay takes the place of the devices, and so of a script.
  if (!options.replay.empty() && !options.script.empty()) {
    return fail("--replay and --script cannot be used together");
  }
  if (!options.replay.empty() && !options.record.empty()) {
    return fail("--record and --replay cannot be used together");
  }
  return options;
}
