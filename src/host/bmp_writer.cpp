#include "host/bmp_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "host/file_read.h"

namespace {
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
// 5 bits to 8, so that white stays 255.
std::uint8_t Widen(std::uint32_t five) {
  return static_cast<std::uint8_t>((five << 3) | (five >> 2));
}

// Only a Valid screen comes here: both of its sides are positive.
std::vector<std::uint8_t> EncodeBmp(const ScreenView& screen) {
  const auto width = static_cast<std::uint32_t>(screen.width);
  const auto height = static_cast<std::uint32_t>(screen.height);
  const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;
  const std::uint32_t dataSize = rowBytes * height;
  std::vector<std::uint8_t> out;
  out.reserve(54 + dataSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + dataSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, height);
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, dataSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (std::uint32_t y = height; y-- > 0;) {  // bottom row first
    const std::uint16_t* row = screen.pixels + std::size_t{y} * width;
    for (std::uint32_t x = 0; x < width; ++x) {
      out.push_back(Widen(row[x] & 31));
      out.push_back(Widen((row[x] >> 5) & 31));
      out.push_back(Widen((row[x] >> 10) & 31));
    }
    for (std::uint32_t pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

bool Valid(const ScreenView& screen) {
  return screen.pixels != nullptr && screen.width > 0 && screen.height > 0;
}

// Writes all of `bytes` to `fd` and closes it; false with errno set.
bool WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int saved = n < 0 ? errno : ENOSPC;
      ::close(fd);
      errno = saved;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return ::close(fd) == 0;
}

void Explain(std::string* error, const std::string& path) {
  if (error != nullptr) *error = "cannot write screenshot " + path + ": " + std::strerror(errno);
}

}  // namespace

bool WriteScreenshot(const std::string& path, const ScreenView& screen, std::string* error) {
  if (!Valid(screen)) {
    if (error != nullptr) *error = "cannot write screenshot " + path + ": no picture";
    return false;
  }
  const int fd = OpenForWriting(path);
  if (fd < 0 || !WriteAll(fd, EncodeBmp(screen))) {
    Explain(error, path);
    return false;
  }
  return true;
}

std::string WriteNumberedScreenshot(const ScreenView& screen, std::string* error) {
  if (!Valid(screen)) {
    if (error != nullptr) *error = "cannot write a screenshot: no picture";
    return {};
  }
  const std::vector<std::uint8_t> bytes = EncodeBmp(screen);
  for (int n = 1; n < 10000; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "pimquest-%03d.bmp", n);
    // O_EXCL: an existing name, a link (even a dangling one) included, is
    // never opened.
    const int fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0 || !WriteAll(fd, bytes)) {
      Explain(error, name);
      if (fd >= 0) ::unlink(name);
      return {};
    }
    return name;
  }
  if (error != nullptr)
    *error = "no screenshot taken: pimquest-001.bmp to pimquest-9999.bmp all exist";
  return {};
}
