#include "platform/trace.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "host/file_read.h"
#include "platform/host_link.h"

namespace {
std::FILE* file = nullptr;
std::string filePath;
int writeErrno = 0;  // the first failed write's errno, 0 while all went well
bool inMemory = false;
std::string memory;

void AppendEscaped(std::string& out, std::string_view s) {
  static const char hex[] = "0123456789abcdef";
  for (const char byte : s) {
    // Escapes go by the byte's value, 0 to 255.
    const auto c = static_cast<unsigned char>(byte);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          out += "\\u00";
          out += hex[c >> 4];
          out += hex[c & 15];
        } else {
          out += byte;
        }
    }
  }
}
}  // namespace

bool OpenTrace(const std::string& path) {
  CloseTrace();
  // A named pipe that nobody reads is refused, not waited on.
  const int fd = OpenForWriting(path);
  file = fd >= 0 ? ::fdopen(fd, "w") : nullptr;
  if (fd >= 0 && file == nullptr) ::close(fd);
  filePath = path;
  writeErrno = 0;
  return file != nullptr;
}

void OpenTraceInMemory() {
  CloseTrace();
  inMemory = true;
}

std::string TakeTrace() {
  return std::exchange(memory, {});
}

bool CloseTrace(std::string* error) {
  if (file != nullptr && std::fclose(file) != 0 && writeErrno == 0) {
    writeErrno = errno != 0 ? errno : EIO;
  }
  const bool ok = writeErrno == 0;
  if (!ok && error != nullptr) {
    *error = "cannot write trace " + filePath + ": " + std::strerror(writeErrno);
  }
  writeErrno = 0;
  file = nullptr;
  inMemory = false;
  memory.clear();
  return ok;
}

bool TraceOpen() {
  return file != nullptr || inMemory;
}

TraceEvent::TraceEvent(std::string_view ev) : on_(TraceOpen()) {
  if (!on_) return;
  const std::uint32_t t = HasHost() ? CurrentHost().Ticks() : 0;
  line_ = "{\"t\":" + std::to_string(t) + ",\"ev\":\"";
  AppendEscaped(line_, ev);
  line_ += '"';
}

TraceEvent& TraceEvent::Int(std::string_view key, std::int64_t value) {
  if (on_) {
    line_ += ",\"";
    AppendEscaped(line_, key);
    line_ += "\":" + std::to_string(value);
  }
  return *this;
}

TraceEvent& TraceEvent::Str(std::string_view key, std::string_view value) {
  if (on_) {
    line_ += ",\"";
    AppendEscaped(line_, key);
    line_ += "\":\"";
    AppendEscaped(line_, value);
    line_ += '"';
  }
  return *this;
}

TraceEvent::~TraceEvent() {
  if (!on_) return;
  line_ += "}\n";
  if (inMemory) {
    memory += line_;
  } else if (file != nullptr) {
    // The first failure is kept for CloseTrace to report; the game goes on.
    if ((std::fputs(line_.c_str(), file) < 0 || std::fflush(file) != 0) && writeErrno == 0) {
      writeErrno = errno != 0 ? errno : EIO;
    }
  }
}
