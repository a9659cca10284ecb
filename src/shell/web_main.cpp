// Pim Quest in a browser tab: the page's host, then the game as on the
// desktop. The pictures and sounds are preloaded into bmp/ and wav/ at the
// root of the page's file system, which is also the current folder.
#include "host/web/web_host.h"
#include "platform/data_files.h"
#include "platform/host_link.h"
#include "shell/main_loop.h"
#include "state/assets.h"

// Tells the page that the game has ended with `code` (web/pimquest_library.js).
extern "C" void pq_web_ended(int code);

int main() {
  SetDataFolders({"."});
  WebHost host;
  AttachHost(&host);
  int code = 0;
  int started = 0;
  bool quitWhileStarting = false;
  try {
    started = StartUp();
  } catch (const QuitRequest&) {
    // Quit while the files were loading: leave in order, as from the game.
    quitWhileStarting = true;
  }
  if (quitWhileStarting) {
    ShutDown();
  } else if (started == 0) {
    // Never play with a picture missing: StartUp said why; the page shows it.
    ShutDown();
    code = 1;
  } else {
    code = RunGame();
  }
  AttachHost(nullptr);
  pq_web_ended(code);
  return code;
}
