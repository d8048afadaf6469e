// The viewer: a Backend decorator between the replay player and the real
// desktop. It shows the run's main window in one window of its own, shrunk
// to fit the screen, with a strip over its bottom (elapsed time, speed,
// state, keys; see viewer_strip.h) and the state in its title; keeps the
// recorded pace, and takes the viewer's keys (the viewer actions of the
// input table, as bound): pause, halve and double the speed (1/4x to 8x),
// seek 5 s, go to the run's start or its result. Until the point to show from, nothing is presented
// or played: the run is skied ahead as fast as the machine goes. A seek back cannot be skied
// backwards: the player is stopped and the session skied again from its start.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/win32/types.h"

enum class ViewerVerdict { Running, Finished, Closed, SeekBack };

struct ViewerSettings {
  // Clocks of the recording: where the shown run begins and where its
  // result comes; the overlay counts from runStart.
  uint32_t runStart = 0;
  uint32_t runEnd = 0;
  // Present from this clock on (a seek's target); presentNever skis the
  // whole session unseen (a verifying pass).
  uint32_t showFrom = 0;
  bool presentNever = false;
  // Wait for the viewer's keys at the result (a window); off, the viewer
  // ends there (headless).
  bool holdAtEnd = true;
  // Shrink a picture larger than the room the desktop gives the window. Off
  // where the desktop shows a larger window shrunk itself (the page, whose
  // browser does it on the screen's finer pixels).
  bool fitToRoom = true;
  // Told of every clock reading of the recording, presented or not; false
  // stops the pass there (a verifier's bound on ticks).
  std::function<bool(uint32_t clock)> onClock;
};

// Puts the viewer over the current backend; once per program.
void installViewer();
// Starts a pass: the viewer as the current backend (the layer starts
// afresh), with these settings. Pause and speed carry over from the pass
// before.
void startViewerPass(const ViewerSettings& settings);

// The replay player's hooks.
bool viewerPace(uint32_t clock);
void viewerRunEnded();

ViewerVerdict viewerVerdict();
// After SeekBack: the clock the next pass is to show from.
uint32_t viewerSeekTarget();
// The window the viewer shows the run in (null before the first pass).
HWND viewerWindow();
// Closes the viewer's window.
void closeViewer();
