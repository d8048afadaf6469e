// The browser backend: the page's canvas, input, Web Audio, in-page message
// boxes and a high-score folder kept in the browser's storage. Built only
// with Emscripten; install it once at start-up, before any Win32 call.
#pragma once

#include <string>

struct WebConfig {
  int scale = 0;         // 0 chooses, as on the desktop; the page's ?scale=N
  bool noAudio = false;  // the page's ?nosound: no audio context at all
};

// The settings the page's address asks for.
WebConfig webConfigFromPage();

void installWebBackend(const WebConfig& config);

// Mounts the stored folder at directory and reads it in; waits for the
// browser. False when the scores cannot be stored (they then last as long
// as the page, and the page says so once).
bool loadStoredFolder(const std::string& directory);

// Tells the page that the game has ended.
void noteGameEnded();
