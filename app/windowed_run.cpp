#include "windowed_run.h"

#include <vector>

#include "platform/kernel/process_settings.h"
#include "platform/sdl2/sdl2_backend.h"
#include "platform/win32.h"
#include "shell/shell.h"

int runWindowed(const WindowedRunOptions& options) {
  Sdl2Config config;
  config.scale = options.scale;
  config.fullscreen = options.fullscreen;
  config.noAudio = lstrcmpiA(options.tail.c_str(), "nosound") == 0;
  if (!installSdl2Backend(config)) return 1;
  if (!options.dataDir.empty()) setProfileDirectory(options.dataDir);
  if (options.overBackend && !options.overBackend()) {
    shutdownSdl2Backend();
    return 2;
  }
  setCommandLine("snowvel " + options.tail);

  std::vector<char> tail(options.tail.begin(), options.tail.end());
  tail.push_back('\0');
  const int exitCode = gameMain(GetModuleHandleA(nullptr), nullptr, tail.data(), SW_SHOWNORMAL);
  shutdownSdl2Backend();
  return exitCode;
}
