// A window of another running copy of the program. FindWindowA hands out one
// stand-in handle for it; the few calls a second start makes on that handle
// go to the backend, which carries them over to the other program.
#include <string>

#include "platform/user/user_state.h"

namespace {

// Slot 4095 of generation 0: no window of ours ever has this handle.
const HWND kForeignWindow = reinterpret_cast<HWND>(uintptr_t{0xFFF});
std::string foreignClass;

}  // namespace

HWND findForeignWindow(const char* className, const char* windowName) {
  Backend* b = currentBackend();
  if (b == nullptr || b->findForeignWindow == nullptr || className == nullptr ||
      windowName != nullptr || !b->findForeignWindow(className))
    return nullptr;
  foreignClass = className;
  return kForeignWindow;
}

bool isForeignWindow(HWND hwnd) {
  return hwnd == kForeignWindow && !foreignClass.empty();
}

BOOL raiseForeignWindow(HWND hwnd, HWND insertAfter, UINT flags) {
  if (!isForeignWindow(hwnd)) return FALSE;
  Backend& b = backend();
  if (!(flags & SWP_NOZORDER) && insertAfter != HWND_BOTTOM && b.raiseForeignWindow != nullptr)
    b.raiseForeignWindow(foreignClass.c_str());
  return TRUE;
}

BOOL isForeignWindowMinimised(HWND hwnd) {
  if (!isForeignWindow(hwnd)) return FALSE;
  Backend& b = backend();
  return b.isForeignWindowMinimised != nullptr && b.isForeignWindowMinimised(foreignClass.c_str());
}

BOOL restoreForeignWindow(HWND hwnd) {
  // The other program's OpenIcon leaves a window that is not minimised alone.
  if (!isForeignWindow(hwnd)) return FALSE;
  if (backend().restoreForeignWindow != nullptr)
    backend().restoreForeignWindow(foreignClass.c_str());
  return TRUE;
}
