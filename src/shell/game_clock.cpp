// The 40 ms tick, the window timer behind it, and pausing.
#include "display/display.h"
#include "scoring/scoring.h"
#include "shell/shell.h"
#include "world/world.h"

namespace {
uint32_t ticksRun = 0;
}

uint32_t ticksRunCount() {
  return ticksRun;
}

void tick() {
  ++ticksRun;
  const DWORD t = GetTickCount();
  world.prevNow = world.now;
  world.tickMs = t - world.now;
  world.now = t;

  worldTick();
  // Cancel on a report during the world's step closed the display: the
  // program is ending, and there is nothing left to paint on.
  if (world.mainDc == nullptr) return;
  repaint(world.mainDc, &world.clientRect);
  world.inputRepaintAllowed = true;

  // About three times a second is enough for the status values.
  if (world.now - DWORD(world.lastStatusAt) > 327) refreshStatus(world.statusDc);
}

void CALLBACK timerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (world.running) tick();
}

void startTimer() {
  if (world.mainWindow == nullptr || world.timerOn || world.paused) return;
  world.timerOn = true;
  // The game stood still since its last tick. That is usually the tick before
  // the stop, but a single step while paused ticks too, and may even have
  // started the run: measured from the stop, the run would restart ahead of
  // the clock and show a time below zero.
  const DWORD lastTick = world.now;
  world.now = GetTickCount();
  // A timed run's clock leaves out the time the game stood still.
  if (world.slalomRunOn || world.treeSlalomRunOn) {
    // Modulo 2^32, like the tick count the start time is read from.
    world.runStart = int32_t(uint32_t(world.runStart) + (world.now - lastTick));
  }
  SetTimer(world.mainWindow, kTimerId, world.timerInterval & 0xFFFF, timerProc);
}

void stopTimer() {
  if (world.mainWindow == nullptr || !world.timerOn) return;
  world.timerOn = false;
  KillTimer(world.mainWindow, kTimerId);
  // The last tick's time, not the clock's, so the pause starts where play stopped.
  world.timeStopped = world.now;
}

void togglePause() {
  world.paused = world.timerOn;
  if (world.paused) {
    stopTimer();
    SetWindowTextA(world.mainWindow, loadString(STRING_PAUSED_TITLE));
    InvalidateRect(world.mainWindow, nullptr, FALSE);
  } else {
    SetWindowTextA(world.mainWindow, loadString(STRING_TITLE));
    startTimer();
  }
}
