// The main window's procedure: display, input and clock, message by message.
#include "control/control.h"
#include "display/display.h"
#include "scoring/scoring.h"
#include "shell/shell.h"

void updateRunning() {
  if (world.windowActive != 0 && !world.minimised) {
    world.running = true;
    startTimer();
  } else {
    world.running = false;
    stopTimer();
  }
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!openDisplay(window)) return -1;
      layoutView(window);
      return 0;
    case WM_DESTROY:
      closeDisplay(window);
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      layoutView(window);
      if (world.statusWindow != nullptr) placeStatusPanel();
      world.minimised = wParam == SIZE_MINIMIZED;
      updateRunning();
      if (world.running) UpdateWindow(world.mainWindow);
      return 0;
    case WM_ACTIVATE:
      world.windowActive = uint32_t(wParam);
      if (world.windowActive != 0) SetFocus(window);
      updateRunning();
      return 0;
    case WM_PAINT:
      paintMainWindow(window);
      return 0;
    case WM_MOUSEACTIVATE:
      // The click that activates the window is not also a game click.
      return LOWORD(lParam) == HTCLIENT ? MA_ACTIVATEANDEAT : 0;
    case WM_GETMINMAXINFO: {
      MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize.x = 320;
      limits->ptMinTrackSize.y = 300;
      return 0;
    }
    // Input counts only while the window is active and not minimised.
    case WM_KEYDOWN:
      if (world.running) onKeyDown(wParam);
      return 0;
    case WM_CHAR:
      if (world.running) onChar(wParam);
      return 0;
    case WM_MOUSEMOVE:
      if (world.running) onMouseMove(int16_t(LOWORD(lParam)), int16_t(HIWORD(lParam)));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (world.running) onMouseButton();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
