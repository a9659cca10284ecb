#include "host/demo_format.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <cerrno>
#include <cstring>
#include <limits>

#include "host/file_read.h"

namespace {

constexpr std::string_view kMagic{"PQDEMO\x1a\n", 8};
constexpr std::size_t kLongestVersion = 64;

// Reads little-endian numbers from the bytes; every read says whether the
// bytes held enough.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool AtEnd() const { return at_ == bytes_.size(); }
  std::size_t Offset() const { return at_; }

  template <typename T>
  bool Get(T* value) {
    if (bytes_.size() - at_ < sizeof(T)) return false;
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
      v |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(bytes_[at_ + i])) << (8 * i);
    }
    at_ += sizeof(T);
    *value = static_cast<T>(v);
    return true;
  }
  bool Take(std::size_t n, std::string_view* out) {
    if (bytes_.size() - at_ < n) return false;
    *out = bytes_.substr(at_, n);
    at_ += n;
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

template <typename T>
void Put(std::string& out, T value) {
  const auto v = static_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i)
    out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint32_t ButtonBits(const PadSnapshot& pad) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < pad.buttons.size(); ++i) {
    if (pad.buttons[i]) bits |= 1u << i;
  }
  return bits;
}

// Adds `count` reads to a kind's total; false when the total would overflow.
bool AddTo(std::uint64_t* total, std::uint32_t count) {
  if (*total > std::numeric_limits<std::uint64_t>::max() - count) return false;
  *total += count;
  return true;
}

}  // namespace

KeySnapshot NormalisedKeys(const KeySnapshot& keys) {
  KeySnapshot out{};
  for (std::size_t i = 0; i < keys.size(); ++i) out[i] = keys[i] != 0 ? 0x80 : 0;
  return out;
}

PadSnapshot NormalisedPad(const PadSnapshot& pad) {
  return pad.attached ? pad : PadSnapshot{};
}

std::optional<Demo> ParseDemo(std::string_view bytes, std::string* error) {
  auto fail = [&](std::size_t at, const std::string& why) -> std::optional<Demo> {
    *error = why + " (at byte " + std::to_string(at) + ")";
    return std::nullopt;
  };
  if (bytes.size() > kLargestDemoBytes) return fail(0, "too large to be a demo");
  Reader in(bytes);
  std::string_view magic;
  if (!in.Take(kMagic.size(), &magic) || magic != kMagic) return fail(0, "not a Pim Quest demo");
  std::uint16_t format = 0;
  if (!in.Get(&format)) return fail(in.Offset(), "cut short in its header");
  if (format < 1 || format > kDemoFormatVersion) {
    return fail(8, "demo format " + std::to_string(format) + " is not one of the formats 1 to " +
                       std::to_string(kDemoFormatVersion) + " this game reads");
  }
  std::uint8_t versionLength = 0;
  std::string_view version;
  if (!in.Get(&versionLength) || !in.Take(versionLength, &version)) {
    return fail(in.Offset(), "cut short in its header");
  }
  if (versionLength == 0 || versionLength > kLongestVersion) return fail(10, "bad game version");
  for (char c : version) {
    if (c < 0x20 || c > 0x7E) return fail(11, "bad game version");
  }

  Demo demo;
  demo.gameVersion = std::string(version);
  std::uint64_t keyboard = 0, gamepad = 0, escape = 0;
  for (;;) {
    const std::size_t recordAt = in.Offset();
    std::uint8_t kind = 0;
    if (!in.Get(&kind)) return fail(recordAt, "cut short: the end record is missing");
    if (kind == 'Z') {
      std::uint64_t k = 0, g = 0, e = 0;
      if (!in.Get(&k) || !in.Get(&g) || !in.Get(&e)) return fail(recordAt, "cut short in its end");
      if (k != keyboard || g != gamepad || e != escape) {
        return fail(recordAt, "its end record counts other reads than its records hold");
      }
      if (!in.AtEnd()) return fail(in.Offset(), "bytes follow its end record");
      return demo;
    }
    if (demo.quit) return fail(recordAt, "a record follows the quit");
    if (kind == 'Q' && format >= 2) {
      std::uint64_t call = 0;
      std::uint8_t way = 0;
      if (!in.Get(&call) || !in.Get(&way)) return fail(recordAt, "cut short in a record");
      if (call == 0 || way > static_cast<std::uint8_t>(DemoQuit::Way::Asked)) {
        return fail(recordAt, "a malformed quit record");
      }
      demo.quit = DemoQuit{call, static_cast<DemoQuit::Way>(way)};
      continue;
    }
    std::uint32_t count = 0;
    if (kind != 'K' && kind != 'G' && kind != 'E') return fail(recordAt, "unknown record");
    if (!in.Get(&count)) return fail(recordAt, "cut short in a record");
    if (count == 0) return fail(recordAt, "a record of no reads");
    if (kind == 'K') {
      std::uint16_t n = 0;
      std::string_view codes;
      if (!in.Get(&n) || !in.Take(n, &codes)) return fail(recordAt, "cut short in a record");
      DemoRun<KeySnapshot> run;
      run.count = count;
      int previous = -1;
      for (char c : codes) {
        const std::uint8_t code = static_cast<std::uint8_t>(c);
        if (code <= previous) return fail(recordAt, "keys out of order");
        previous = code;
        run.value[code] = 0x80;
      }
      if (!AddTo(&keyboard, count)) return fail(recordAt, "too many reads");
      demo.keyboard.push_back(run);
    } else if (kind == 'G') {
      std::uint8_t attached = 0;
      std::uint32_t x = 0, y = 0, buttons = 0;
      if (!in.Get(&attached) || !in.Get(&x) || !in.Get(&y) || !in.Get(&buttons)) {
        return fail(recordAt, "cut short in a record");
      }
      if (attached > 1 || (attached == 0 && (x != 0 || y != 0 || buttons != 0))) {
        return fail(recordAt, "a malformed gamepad record");
      }
      DemoRun<PadSnapshot> run;
      run.count = count;
      run.value.attached = attached == 1;
      run.value.x = static_cast<std::int32_t>(x);
      run.value.y = static_cast<std::int32_t>(y);
      for (std::size_t i = 0; i < run.value.buttons.size(); ++i) {
        run.value.buttons[i] = (buttons >> i & 1u) != 0;
      }
      if (!AddTo(&gamepad, count)) return fail(recordAt, "too many reads");
      demo.gamepad.push_back(run);
    } else {
      std::uint8_t down = 0;
      if (!in.Get(&down)) return fail(recordAt, "cut short in a record");
      if (down > 1) return fail(recordAt, "a malformed Escape record");
      if (!AddTo(&escape, count)) return fail(recordAt, "too many reads");
      demo.escape.push_back({down == 1, count});
    }
  }
}

std::optional<Demo> LoadDemo(const std::string& path, std::string* error) {
  std::string why;
  const auto bytes = ReadWholeFile(path, kLargestDemoBytes, &why);
  if (!bytes) {
    *error = "cannot read the demo " + path + ": it " + why;
    return std::nullopt;
  }
  auto demo = ParseDemo(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), &why);
  if (!demo) *error = "the demo " + path + " is unusable: " + why;
  return demo;
}

DemoWriter::~DemoWriter() {
  // Never finished (start-up failed, or a crash of ours): the file the player
  // named stays as it was.
  if (file_ != nullptr) {
    std::fclose(file_);
    ::unlink(temp_.c_str());
  }
}

bool DemoWriter::Open(const std::string& path, std::string_view gameVersion, bool replace,
                      std::string* error) {
  if (gameVersion.empty() || gameVersion.size() > kLongestVersion) {
    *error = "the game version cannot go into a demo";
    return false;
  }
  struct stat st {};
  const bool exists = ::lstat(path.c_str(), &st) == 0;
  if (exists && !replace) {
    *error = "the demo " + path + " exists already (--force replaces it)";
    return false;
  }
  // Only a file (or a link, which is replaced, not followed) makes way for a
  // demo: a device, a pipe or a folder of that name is left alone.
  if (exists && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
    *error = "the demo " + path + " would replace something that is not a file";
    return false;
  }
  // The demo is written beside its place under a name of its own and takes
  // that place only once it is complete.
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd >= 0) file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    *error = "cannot write the demo " + path + ": " + std::strerror(errno);
    if (fd >= 0) {
      ::close(fd);
      ::unlink(temp.c_str());
    }
    return false;
  }
  ::fchmod(fd, 0644);
  path_ = path;
  temp_ = temp;
  replace_ = replace;
  std::string header(kMagic);
  Put<std::uint16_t>(header, kDemoFormatVersion);
  Put<std::uint8_t>(header, static_cast<std::uint8_t>(gameVersion.size()));
  header += gameVersion;
  Write(header);
  return true;
}

void DemoWriter::Write(const std::string& bytes) {
  if (file_ == nullptr) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() && errno_ == 0) {
    errno_ = errno != 0 ? errno : EIO;
  }
}

void DemoWriter::FlushKeyboard() {
  if (keyboard_.count == 0) return;
  std::string r(1, 'K');
  Put<std::uint32_t>(r, keyboard_.count);
  std::string codes;
  for (std::size_t i = 0; i < keyboard_.value.size(); ++i) {
    if (keyboard_.value[i] != 0) codes.push_back(static_cast<char>(i));
  }
  Put<std::uint16_t>(r, static_cast<std::uint16_t>(codes.size()));
  Write(r + codes);
  keyboard_.count = 0;
}

void DemoWriter::FlushGamepad() {
  if (gamepad_.count == 0) return;
  const PadSnapshot& pad = gamepad_.value;
  std::string r(1, 'G');
  Put<std::uint32_t>(r, gamepad_.count);
  Put<std::uint8_t>(r, pad.attached ? 1 : 0);
  Put<std::uint32_t>(r, static_cast<std::uint32_t>(pad.x));
  Put<std::uint32_t>(r, static_cast<std::uint32_t>(pad.y));
  Put<std::uint32_t>(r, ButtonBits(pad));
  Write(r);
  gamepad_.count = 0;
}

void DemoWriter::FlushEscape() {
  if (escape_.count == 0) return;
  std::string r(1, 'E');
  Put<std::uint32_t>(r, escape_.count);
  Put<std::uint8_t>(r, escape_.value ? 1 : 0);
  Write(r);
  escape_.count = 0;
}

void DemoWriter::AddKeyboard(const KeySnapshot& keys) {
  const KeySnapshot value = NormalisedKeys(keys);
  if (keyboard_.count == std::numeric_limits<std::uint32_t>::max() ||
      (keyboard_.count > 0 && value != keyboard_.value)) {
    FlushKeyboard();
  }
  keyboard_.value = value;
  ++keyboard_.count;
  ++keyboard_.total;
}

void DemoWriter::AddGamepad(const PadSnapshot& pad) {
  const PadSnapshot value = NormalisedPad(pad);
  if (gamepad_.count == std::numeric_limits<std::uint32_t>::max() ||
      (gamepad_.count > 0 && value != gamepad_.value)) {
    FlushGamepad();
  }
  gamepad_.value = value;
  ++gamepad_.count;
  ++gamepad_.total;
}

void DemoWriter::AddEscape(bool down) {
  if (escape_.count == std::numeric_limits<std::uint32_t>::max() ||
      (escape_.count > 0 && down != escape_.value)) {
    FlushEscape();
  }
  escape_.value = down;
  ++escape_.count;
  ++escape_.total;
}

bool DemoWriter::PutInPlace() const {
  if (replace_) return std::rename(temp_.c_str(), path_.c_str()) == 0;
  // Still not over a file that appeared while the game ran.
  if (::renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, path_.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without that: link (which never replaces), then unlink.
  if (::link(temp_.c_str(), path_.c_str()) != 0) return false;
  ::unlink(temp_.c_str());
  return true;
}

bool DemoWriter::Finish(std::string* error) {
  if (file_ == nullptr) return !failed_;
  FlushKeyboard();
  FlushGamepad();
  FlushEscape();
  if (quit_) {
    std::string q(1, 'Q');
    Put<std::uint64_t>(q, quit_->call);
    Put<std::uint8_t>(q, static_cast<std::uint8_t>(quit_->way));
    Write(q);
  }
  std::string end(1, 'Z');
  Put<std::uint64_t>(end, keyboard_.total);
  Put<std::uint64_t>(end, gamepad_.total);
  Put<std::uint64_t>(end, escape_.total);
  Write(end);
  if ((std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0) && errno_ == 0) errno_ = errno;
  if (std::fclose(file_) != 0 && errno_ == 0) errno_ = errno != 0 ? errno : EIO;
  file_ = nullptr;
  if (errno_ == 0 && !PutInPlace()) errno_ = errno;
  if (errno_ != 0) {
    ::unlink(temp_.c_str());
    *error = "cannot write the demo " + path_ + ": " + std::strerror(errno_);
    failed_ = true;
  }
  return !failed_;
}
