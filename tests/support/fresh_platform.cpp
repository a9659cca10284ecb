#include <algorithm>
#include <iterator>

#include "platform/clock.h"
#include "platform/data_files.h"
#include "platform/host_link.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/trace.h"
#include "support/fresh_process.h"

void ResetPlatformState() {
  // A test that left the sound device open still has its host attached.
  if (HasHost()) ShutdownSound();
  AttachHost(nullptr);
  SetRandState(1);
  std::fill(std::begin(keyState), std::end(keyState), std::uint8_t{0});
  gamepadState = {};
  ReleaseGamepad();
  ReleaseKeyboard();
  ReleaseInput();
  frameStartTick = 0;
  CloseTrace();
  SetDataFolders({"."});
}
