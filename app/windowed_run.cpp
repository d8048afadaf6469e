#include "windowed_run.h"

#include <cstdio>
#include <vector>

#include "platform/input/key_bindings.h"
#include "platform/kernel/process_settings.h"
#include "platform/settings/player_settings.h"
#include "platform/sdl2/sdl2_backend.h"
#include "platform/win32.h"
#include "shell/shell.h"

namespace {

void warn(const std::string& line) {
  std::fprintf(stderr, "snowvel: %s\n", line.c_str());
}

// What the run changed of the display is kept for the next, except what the
// command line chose for this run alone.
void rememberDisplay(const std::string& path, PlayerSettings settings,
                     const WindowedRunOptions& options) {
  DisplaySettings now = sdl2DisplayAtClose(settings.display);
  if (options.scaleGiven) now.scale = settings.display.scale;
  if (options.fullscreenGiven) now.fullscreen = settings.display.fullscreen;
  if (path.empty() || now == settings.display) return;
  // What the file says now (--bind may have changed it meanwhile), with the
  // display of this run.
  std::vector<std::string> ignored;
  settings = loadSettings(path, &ignored);
  settings.display = now;
  std::string error;
  if (!saveSettings(path, settings, &error)) warn("the window is not remembered: " + error);
}

}  // namespace

int runWindowed(const WindowedRunOptions& options) {
  const std::string path = settingsPath();
  std::vector<std::string> warnings;
  const PlayerSettings settings = path.empty() ? PlayerSettings{} : loadSettings(path, &warnings);
  for (const std::string& warning : warnings) warn(warning);
  keyBindings() = settings.bindings;

  Sdl2Config config;
  config.scale = options.scaleGiven ? options.scale : settings.display.scale;
  config.fullscreen = options.fullscreenGiven ? options.fullscreen : settings.display.fullscreen;
  config.window = settings.display.window;
  config.noAudio = lstrcmpiA(options.tail.c_str(), "nosound") == 0;
  if (!installSdl2Backend(config)) return 1;
  if (!options.dataDir.empty()) setProfileDirectory(options.dataDir);
  if (options.ghostsSetting) options.ghostsSetting(settings.display.ghosts);
  if (options.overBackend && !options.overBackend()) {
    shutdownSdl2Backend();
    return 2;
  }
  setCommandLine("snowvel " + options.tail);

  std::vector<char> tail(options.tail.begin(), options.tail.end());
  tail.push_back('\0');
  const int exitCode = gameMain(GetModuleHandleA(nullptr), nullptr, tail.data(), SW_SHOWNORMAL);
  rememberDisplay(path, settings, options);
  shutdownSdl2Backend();
  return exitCode;
}
