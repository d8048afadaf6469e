// Modal message boxes. The box becomes the active window, so the window that
// was active hears WM_ACTIVATE(WA_INACTIVE); while it is up the box runs its
// own loop that dispatches every message of the thread (paints and timers go
// on); when it closes, that window is activated again.
#include "platform/user/user_state.h"

namespace {

// What a box gives back when the program quits under it: the answer of its
// Cancel (or No, or Abort) button, or OK.
int quitAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
      return IDCANCEL;
    case MB_YESNO:
      return IDNO;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    default:
      return IDOK;
  }
}

}  // namespace

int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  presentDirtyFramebuffers();
  HWND previous = activeWindow();
  if (previous != nullptr) activateTopLevel(nullptr, WA_INACTIVE);
  int box = backend().beginMessageBox(text != nullptr ? text : "",
                                      caption != nullptr ? caption : "Error", type);
  int answer = 0;
  for (;;) {
    if (takeMessageBoxAnswer(box, &answer)) break;
    MSG msg;
    if (!fetchMessage(&msg, nullptr, 0, 0, true, true, box)) continue;
    if (msg.message == WM_QUIT) {
      // The box ends and leaves the quit for the loop outside it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      answer = quitAnswer(type);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (IsWindow(previous) && IsWindowVisible(previous) && activeWindow() == nullptr)
    activateTopLevel(previous, WA_ACTIVE);
  return answer;
}
