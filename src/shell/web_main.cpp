// Pim Quest in a browser tab: the page's host, then the game as on the
// desktop. The pictures and sounds are preloaded into bmp/ and wav/ at the
// root of the page's file system, which is also the current folder.
#include "host/web/web_host.h"
#include "platform/data_files.h"
#include "platform/host_link.h"
#include "shell/main_loop.h"

// Tells the page that the game has ended with `code` (web/pimquest_library.js).
extern "C" void pq_web_ended(int code);

int main() {
  SetDataFolders({"."});
  WebHost host;
  AttachHost(&host);
  const int code = PlayGame();
  AttachHost(nullptr);
  pq_web_ended(code);
  return code;
}
