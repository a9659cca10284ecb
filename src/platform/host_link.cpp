#include "platform/host_link.h"

#include <cstdio>
#include <cstdlib>

namespace {
Host* installed = nullptr;
}

void AttachHost(Host* host) {
  installed = host;
}

bool HasHost() {
  return installed != nullptr;
}

Host& CurrentHost() {
  if (installed == nullptr) {
    std::fprintf(stderr, "pimquest: a platform service was used before a host was attached\n");
    std::abort();
  }
  return *installed;
}
