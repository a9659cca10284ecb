#include "host/quit_signal.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t signalled = 0;

extern "C" void OnQuitSignal(int) {
  signalled = 1;
}

}  // namespace

void CatchQuitSignals() {
  struct sigaction sa {};
  sa.sa_handler = OnQuitSignal;
  sigemptyset(&sa.sa_mask);
  // No SA_RESETHAND: the handler stays for the second signal too.
  sa.sa_flags = SA_RESTART;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  // A trace written into a pipe whose reader has gone (`| head`) is a failed
  // write, reported at the end like any other, not a death that loses the
  // demo being recorded.
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, nullptr);
}

bool QuitSignalled() {
  return signalled != 0;
}

void ForgetQuitSignal() {
  signalled = 0;
}
