// The one host the game runs on, installed by the entry point (or a test).
#pragma once

#include "host/host.h"

// Installs `host` for every platform service; nullptr detaches it.
void AttachHost(Host* host);
// The installed host. Calling a platform service with no host is a
// programming error and aborts with a message.
Host& CurrentHost();
bool HasHost();
