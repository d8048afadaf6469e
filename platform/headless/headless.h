// The headless backend: a virtual desktop for tests, replays and screenshots.
// Its millisecond clock moves only when the message loop waits, and then
// jumps straight to the next due timer or scripted event, so a game runs as
// fast as the machine allows yet sees exact timer periods. Input and
// message-box answers come from a script; sounds and boxes are recorded; the
// presented picture of each top-level window can be read back or saved.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend.h"

struct HeadlessConfig {
  int screenWidth = 1024;
  int screenHeight = 768;
  uint32_t startTick = 0;  // the clock's first value
  // When set, the main window is asked to close at this tick, as a player
  // would with the close box, so every run ends.
  std::optional<uint32_t> endTick;
  // How long a message box stays up before the player answers it, in
  // virtual ms; the program's timers and paints go on meanwhile.
  uint32_t messageBoxDelayMs = 0;
};

// Installs a fresh headless desktop as the current backend (any windows,
// timers, records and scheduled events of an earlier one are dropped).
void installHeadlessBackend(const HeadlessConfig& config = {});

uint32_t headlessNow();
// The first top-level window created that still exists, or null.
HWND headlessMainWindow();

// Delivers an event when the clock reaches atTick (at once if it has passed).
// Events due at the same tick keep the order they were scheduled in.
void headlessScheduleEvent(uint32_t atTick, const BackendEvent& event);
// The answer (IDOK, IDCANCEL, ...) for the next message box shown at or after
// notBeforeTick, given delayMs after the box appears (the config's delay when
// not set). Without one a box gets its first button. An answer the box has no
// button for also gives its first button.
void headlessQueueAnswer(int answer, uint32_t notBeforeTick = 0,
                         std::optional<uint32_t> delayMs = std::nullopt);

struct HeadlessMessageBox {
  std::string caption;
  std::string text;
  UINT type = 0;
  int answer = 0;
  uint32_t time = 0;
};
const std::vector<HeadlessMessageBox>& headlessMessageBoxes();

struct HeadlessSound {
  uint32_t time = 0;
  bool stop = false;   // a stopSound rather than a playPcm
  int resourceId = 0;  // the WAVE resource played; 0 when not one of ours
  size_t bytes = 0;    // PCM bytes handed over
  WaveFormat format;
};
const std::vector<HeadlessSound>& headlessSounds();

// What the screen shows of a top-level window: its presented client pixels
// (0x00RRGGBB). A null window means the main window.
struct HeadlessFramebuffer {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // in pixels
};
bool headlessFramebuffer(HWND window, HeadlessFramebuffer* out);
// Writes that picture as an 8-bit RGB PNG; on failure says why in error.
bool headlessSavePng(HWND window, const std::string& path, std::string* error);

std::string headlessWindowTitle(HWND window);
BackendWindowState headlessWindowState(HWND window);
// How many present calls the window has had.
int headlessPresentCount(HWND window);

// ---- The driver's input script ----------------------------------------------
// One event per line: `PERIOD EVENT ARGS`, PERIOD counting timer periods from
// the start. Events: `key NAME` (a Windows virtual-key name: F2, LEFT,
// NUMPAD4, INSERT, RETURN or ENTER, ESCAPE, SPACE, a letter or digit...; or
// a key's place, KeyA, ArrowLeft, with NumLock on; see input_table.h), sent as
// that key of the keyboard, so the player's bindings apply,
// `char C`, `mouse X Y`, `click` (at the last mouse position), `resize W H`,
// `activate`, `deactivate`, `minimise`, `restore`, `answer OK|CANCEL|YES|NO|
// ABORT|RETRY|IGNORE` (for the next message box from that period on). Blank
// lines and lines starting with '#' are ignored; periods never go backwards.
struct InputScriptEntry {
  uint32_t period = 0;
  int line = 0;
  std::vector<BackendEvent> events;  // empty for an answer
  int answer = 0;                    // IDOK... for an answer line
};
// False with "line N: what is wrong" in error for the first bad line.
bool parseInputScript(std::string_view text, std::vector<InputScriptEntry>* entries,
                      std::string* error);
// Schedules every entry at the start tick + period * periodMs.
void scheduleInputScript(const std::vector<InputScriptEntry>& entries, uint32_t periodMs = 40);
// A virtual-key code by its Windows name (the VK_ prefix optional, any
// case) or a key's place, as the key sends it unbound.
bool virtualKeyFromName(std::string_view name, UINT* virtualKey);
