// The browser program: the game on the web backend. The page's address
// carries the options (?scale=N, ?nosound); the high scores live in a folder
// the browser stores.
#include <string>
#include <vector>

#include "platform/kernel/process_settings.h"
#include "platform/web/web_backend.h"
#include "platform/web/web_bridge_values.h"
#include "platform/win32.h"
#include "run_page.h"
#include "shell/shell.h"

int main() {
  const WebConfig config = webConfigFromPage();
  installWebBackend(config);
  // Read in before the game's first look at its profile.
  loadStoredFolder(web_bridge::kDataDirectory);
  setProfileDirectory(web_bridge::kDataDirectory);
  std::string tailText = config.noAudio ? "nosound" : "";
#ifdef SNOWVEL_WEB_VIEWER
  // A run handed over by a link or a file is watched instead of a game (the
  // page loads this program only then).
  if (watchPageRun()) return 0;
#endif
  // The recorder goes over the ghost overlay: a run holds what the game saw.
  startPageGhosts();
  recordPageSession(web_bridge::kDataDirectory, tailText);
  setCommandLine("snowvel " + tailText);
  std::vector<char> tail(tailText.begin(), tailText.end());
  tail.push_back('\0');
  const int exitCode = gameMain(GetModuleHandleA(nullptr), nullptr, tail.data(), SW_SHOWNORMAL);
  noteGameEnded();
  return exitCode;
}
