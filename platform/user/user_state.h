// The USER half's own records: classes, windows and the thread's queue, and
// the internal operations its files share. Nothing outside platform/user
// includes this.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/win32/user.h"

struct WindowClass {
  std::string name;
  WNDCLASSA info{};
};

struct Window {
  HWND handle = nullptr;
  const WindowClass* windowClass = nullptr;  // a class is not unregistered while in use
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;
  std::vector<HWND> children;  // z-order, topmost first
  UINT_PTR childId = 0;
  HINSTANCE instance = nullptr;
  std::string title;

  // Window and client rectangles in the parent's client coordinates (screen
  // coordinates for a top-level window).
  RECT windowRect{};
  RECT clientRect{};
  RECT restoredWindowRect{};

  bool visible = false;
  bool minimised = false;
  bool maximised = false;
  bool destroying = false;
  bool needsFirstSize = false;  // an overlapped window's first WM_SIZE waits for ShowWindow
  bool everShown = false;

  // The update region, kept as its bounding box in client coordinates.
  RECT update{};
  bool updateErase = false;
  bool inPaint = false;

  HDC ownDc = nullptr;  // CS_OWNDC: one DC for the window's life

  // Top-level windows only: the client framebuffer and its changed parts.
  std::vector<uint32_t> pixels;
  int surfaceWidth = 0;
  int surfaceHeight = 0;
  std::vector<RECT> dirty;
  bool backendWindow = false;
};

// ---- rectangles -------------------------------------------------------------
bool rectIsEmpty(const RECT& r);
RECT intersectRects(const RECT& a, const RECT& b);
RECT unionRects(const RECT& a, const RECT& b);  // empty operands ignored
RECT offsetRect(const RECT& r, int dx, int dy);
// Appends to out the parts of r outside cut (up to four rectangles).
void subtractRect(const RECT& r, const RECT& cut, std::vector<RECT>* out);

// ---- window table -----------------------------------------------------------
Window* findWindow(HWND hwnd);  // null for a stale or foreign handle
Window* createWindowRecord();
void freeWindowRecord(HWND hwnd);
// Every live window, in creation order (top-level windows and children).
std::vector<HWND> allWindows();
std::vector<HWND> topLevelWindows();
Window* topLevelOf(Window* w);
bool isDescendant(HWND ancestor, HWND hwnd);
const WindowClass* findClass(const char* name);
bool classInUse(const WindowClass* windowClass);
void resetWindowClasses();
void resetActivation();
// Tears everything down for a fresh start (used when a backend is installed).
void resetUserState();

// ---- geometry ---------------------------------------------------------------
// The frame around the client area for a style: left, top, right, bottom.
RECT frameInsets(DWORD style);
POINT clientOriginInTopLevel(Window* w);
void sizeFramebuffer(Window* w, bool repaint);
MINMAXINFO queryMinMaxInfo(HWND hwnd);
// Applies a new window rectangle (parent coordinates) with SetWindowPos flags;
// fromBackend marks a change the backend itself reported.
void applyWindowRect(HWND hwnd, const RECT& newRect, UINT flags, bool fromBackend);

// ---- activation and showing -------------------------------------------------
HWND activeWindow();
HWND focusWindow();
// Makes top the active top-level window (WM_ACTIVATE with how), or, with
// null, leaves no window active.
void activateTopLevel(HWND top, WORD how);
void forgetWindowFocus(HWND hwnd);
void minimiseWindow(HWND hwnd, bool fromBackend);
void restoreWindow(HWND hwnd, bool fromBackend);

// ---- messages ---------------------------------------------------------------
LRESULT sendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void handleBackendEvent(const BackendEvent& event);
// Answers of message boxes reported by the backend, by box id.
bool takeMessageBoxAnswer(int box, int* answer);
// One step of the queue: the next message for the filter, waiting when asked.
// With a watched box, returns false as soon as that box has its answer.
bool fetchMessage(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove, bool wait,
                  int watchedBox);
void resetMessageQueue();

// ---- keyboard ---------------------------------------------------------------
void noteKeyDown(UINT virtualKey, bool repeat);
void noteKeyUp(UINT virtualKey);
void resetKeyboardState();

// ---- timers -----------------------------------------------------------------
struct DueTimer {
  HWND hwnd;
  UINT_PTR id;
  TIMERPROC proc;
};
// The timer due first whose window passes the filter, if any is due now.
bool findDueTimer(HWND filter, DWORD now, DueTimer* due);
void restartDueTimer(HWND hwnd, UINT_PTR id, DWORD now);
// Milliseconds until the next timer falls due (0 when one is due now);
// false when no timer exists.
bool timeToNextTimer(HWND filter, DWORD now, uint32_t* ms);
bool timerStillMatches(HWND hwnd, UINT_PTR id, TIMERPROC proc);
void killWindowTimers(HWND hwnd);
void resetTimers();

// ---- paint ------------------------------------------------------------------
void invalidateClient(HWND hwnd, const RECT* clientRect, bool erase, bool withChildren);
void invalidateWholeTree(HWND hwnd);
// The first window (parent before children, top-level windows in creation
// order) with a non-empty update region that passes the filter.
HWND findWindowNeedingPaint(HWND filter);
void presentDirtyFramebuffers();
void releaseWindowDCs(HWND hwnd);
void resetPaintState();

// ---- another copy of the program (foreign_window.cpp) -----------------------
HWND findForeignWindow(const char* className, const char* windowName);
bool isForeignWindow(HWND hwnd);
BOOL raiseForeignWindow(HWND hwnd, HWND insertAfter, UINT flags);
BOOL isForeignWindowMinimised(HWND hwnd);
BOOL restoreForeignWindow(HWND hwnd);

// ---- the backend ------------------------------------------------------------
Backend& backend();
DWORD currentTime();
