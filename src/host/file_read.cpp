#include "host/file_read.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "host/quit_signal.h"

namespace {

// Closes the descriptor however the read ends.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                       std::uintmax_t limit, std::string* error) {
  std::string scratch;
  if (error == nullptr) error = &scratch;
  auto refuse = [&](std::string why) -> std::optional<std::vector<std::uint8_t>> {
    *error = std::move(why);
    return std::nullopt;
  };
  const std::string tooBig = "is more than " + std::to_string(limit) + " bytes, too big to be ours";
  // Without O_NONBLOCK, opening a named pipe waits until something writes.
  const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (file.fd < 0) return refuse(std::string("cannot be opened: ") + std::strerror(errno));
  struct stat st {};
  if (::fstat(file.fd, &st) != 0) return refuse("cannot be read");
  if (S_ISDIR(st.st_mode)) return refuse("is a folder");
  if (S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) > limit) return refuse(tooBig);
  const bool pipe = S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode);
  // Files and devices are read as usual, waiting for each piece; a pipe is
  // watched against the clock.
  if (!pipe) ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPipeWaitMs);

  // Read in pieces up to one byte past the limit: a file that grew since it
  // was measured, or one that has no size, cannot make us read without end.
  std::vector<std::uint8_t> bytes;
  std::uint8_t piece[65536];
  while (bytes.size() <= limit) {
    const ::ssize_t got = ::read(file.fd, piece, sizeof piece);
    if (got > 0) {
      bytes.insert(bytes.end(), piece, piece + got);
      continue;
    }
    if (got == 0) break;
    if (errno == EINTR) continue;
    if (!pipe || errno != EAGAIN) return refuse("cannot be read");
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd wait{file.fd, POLLIN, 0};
    if (left.count() <= 0 || (::poll(&wait, 1, static_cast<int>(left.count())) == 0)) {
      return refuse("is a pipe that gave no end within " + std::to_string(kPipeWaitMs / 1000) +
                    " s");
    }
    // Ctrl+C while the pipe is waited on ends the wait too.
    if (QuitSignalled()) return refuse("was not read to its end: the game was asked to quit");
  }
  if (bytes.size() > limit) return refuse(tooBig);
  if (pipe && bytes.empty()) return refuse("is a pipe that nothing writes to");
  return bytes;
}

int OpenForWriting(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
  // Once open, writes wait as usual: a slow reader is not a failure.
  if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}
