// Window classes, found by name without regard to case (or by the atom
// RegisterClassA returned), and the stock and resource icons and cursors
// a class names.
#include <cstring>

#include "platform/user/user_state.h"
#include "platform/win32/kernel.h"

namespace {

constexpr ATOM kFirstClassAtom = 0xC000;

std::vector<std::unique_ptr<WindowClass>> classes;

bool sameName(const std::string& a, const char* b) {
  return lstrcmpiA(a.c_str(), b) == 0;
}

// Stock icons and cursors are identified by their id; they are never drawn.
HICON stockHandle(uintptr_t kind, LPCSTR name) {
  return reinterpret_cast<HICON>((kind << 16) | reinterpret_cast<uintptr_t>(name));
}

// Icons and cursors load alike: with no instance a stock id (from 32512 up to
// the last one of its kind), else the module's resource group of that type.
HICON loadIconOrCursor(HINSTANCE instance, LPCSTR name, uintptr_t stockKind, uintptr_t lastStockId,
                       LPCSTR groupType) {
  if (name == nullptr) return nullptr;
  if (instance == nullptr && IS_INTRESOURCE(name)) {
    uintptr_t id = reinterpret_cast<uintptr_t>(name);
    if (id >= 32512 && id <= lastStockId) return stockHandle(stockKind, name);
  }
  HRSRC found = FindResourceA(reinterpret_cast<HMODULE>(instance), name, groupType);
  return reinterpret_cast<HICON>(found);
}

}  // namespace

const WindowClass* findClass(const char* name) {
  if (name == nullptr) return nullptr;
  if (IS_INTRESOURCE(name)) {
    size_t index = reinterpret_cast<uintptr_t>(name) - kFirstClassAtom;
    if (reinterpret_cast<uintptr_t>(name) < kFirstClassAtom || index >= classes.size())
      return nullptr;
    return classes[index].get();
  }
  for (const auto& c : classes)
    if (c && sameName(c->name, name)) return c.get();
  return nullptr;
}

bool classInUse(const WindowClass* windowClass) {
  for (HWND hwnd : allWindows())
    if (findWindow(hwnd)->windowClass == windowClass) return true;
  return false;
}

void resetWindowClasses() {
  classes.clear();
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* wndClass) {
  if (wndClass == nullptr || wndClass->lpfnWndProc == nullptr ||
      wndClass->lpszClassName == nullptr || IS_INTRESOURCE(wndClass->lpszClassName) ||
      wndClass->lpszClassName[0] == '\0' || wndClass->cbClsExtra < 0 || wndClass->cbWndExtra < 0)
    return 0;
  if (findClass(wndClass->lpszClassName) != nullptr) return 0;  // already registered
  auto c = std::make_unique<WindowClass>();
  c->name = wndClass->lpszClassName;
  c->info = *wndClass;
  c->info.lpszClassName = nullptr;  // the copy in name is the one kept
  c->info.lpszMenuName = nullptr;
  for (size_t i = 0; i < classes.size(); ++i) {
    if (!classes[i]) {
      classes[i] = std::move(c);
      return static_cast<ATOM>(kFirstClassAtom + i);
    }
  }
  if (classes.size() >= 0x3FFF) return 0;
  classes.push_back(std::move(c));
  return static_cast<ATOM>(kFirstClassAtom + classes.size() - 1);
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE) {
  const WindowClass* c = findClass(className);
  if (c == nullptr || classInUse(c)) return FALSE;
  for (auto& slot : classes)
    if (slot.get() == c) slot.reset();
  return TRUE;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  return loadIconOrCursor(instance, name, 1, 32517, RT_GROUP_ICON);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  return loadIconOrCursor(instance, name, 2, 32515, RT_GROUP_CURSOR);
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
  // The pointer is the backend's own; the game only ever sets the arrow.
  static HCURSOR current = nullptr;
  HCURSOR previous = current;
  current = cursor;
  return previous;
}
