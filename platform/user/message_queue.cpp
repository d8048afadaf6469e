// The thread's message queue. GetMessageA takes, in this order: posted
// messages, WM_QUIT (once no posted message is left), input, WM_PAINT, and
// WM_TIMER; sent messages never queue. Paint and timer messages are made when
// asked for, not stored. When nothing is ready the backend waits until the
// next timer falls due or input comes: the loop never spins.
#include <algorithm>
#include <map>

#include "platform/user/user_state.h"

namespace {

struct InputMessage {
  MSG msg;
  bool activationChecked = false;
};

std::deque<MSG> posted;
std::deque<InputMessage> input;
bool quitPending = false;
int quitCode = 0;
std::map<int, int> boxAnswers;
POINT cursor{0, 0};  // screen coordinates of the last mouse event
WPARAM mouseButtons = 0;

struct LastClick {
  HWND hwnd = nullptr;
  UINT button = 0;
  DWORD time = 0;
  POINT at{0, 0};
};
LastClick lastClick;
constexpr DWORD kDoubleClickMs = 500;

bool inRange(UINT message, UINT filterMin, UINT filterMax) {
  if (filterMin == 0 && filterMax == 0) return true;
  return message >= filterMin && message <= filterMax;
}

bool windowPasses(HWND filter, HWND hwnd) {
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return hwnd == nullptr;
  return filter == hwnd;
}

MSG makeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = currentTime();
  msg.pt = cursor;
  return msg;
}

Window* topLevelFor(HWND hwnd) {
  if (Window* w = findWindow(hwnd)) return topLevelOf(w);
  if (Window* w = findWindow(activeWindow())) return w;
  for (HWND top : topLevelWindows())
    if (findWindow(top)->visible) return findWindow(top);
  return nullptr;
}

HWND keyboardTarget(HWND hinted) {
  if (findWindow(focusWindow()) != nullptr) return focusWindow();
  if (findWindow(activeWindow()) != nullptr) return activeWindow();
  Window* top = findWindow(hinted);
  return top != nullptr ? top->handle : nullptr;
}

// The deepest visible child under a point in w's client coordinates; the
// point comes back in that window's client coordinates.
HWND windowAtPoint(Window* w, POINT* p) {
  for (HWND childHandle : w->children) {
    Window* child = findWindow(childHandle);
    if (child == nullptr || !child->visible) continue;
    const RECT& r = child->windowRect;
    if (p->x >= r.left && p->x < r.right && p->y >= r.top && p->y < r.bottom) {
      p->x -= child->clientRect.left;
      p->y -= child->clientRect.top;
      return windowAtPoint(child, p);
    }
  }
  return w->handle;
}

UINT buttonMessage(int button, bool pressed) {
  switch (button) {
    case 1:
      return pressed ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case 2:
      return pressed ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
      return pressed ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  }
}

WPARAM buttonFlag(int button) {
  return button == 1 ? MK_RBUTTON : button == 2 ? MK_MBUTTON : MK_LBUTTON;
}

void queueMouse(const BackendEvent& event) {
  Window* top = topLevelFor(event.window);
  if (top == nullptr || top->minimised) return;
  POINT p{event.x, event.y};
  int clientWidth = top->clientRect.right - top->clientRect.left;
  int clientHeight = top->clientRect.bottom - top->clientRect.top;
  cursor = POINT{top->clientRect.left + p.x, top->clientRect.top + p.y};
  if (event.type == BackendEventType::MouseDown) mouseButtons |= buttonFlag(event.button);
  if (event.type == BackendEventType::MouseUp) mouseButtons &= ~buttonFlag(event.button);
  if (p.x < 0 || p.y < 0 || p.x >= clientWidth || p.y >= clientHeight) return;
  HWND target = windowAtPoint(top, &p);
  UINT message = WM_MOUSEMOVE;
  if (event.type != BackendEventType::MouseMove) {
    bool pressed = event.type == BackendEventType::MouseDown;
    message = buttonMessage(event.button, pressed);
    if (pressed) {
      // A second press soon after on the same spot is a double click for a
      // class that asks for them.
      DWORD now = currentTime();
      bool wantsDouble = findWindow(target)->windowClass->info.style & CS_DBLCLKS;
      if (wantsDouble && lastClick.hwnd == target && lastClick.button == message &&
          now - lastClick.time <= kDoubleClickMs && std::abs(lastClick.at.x - cursor.x) <= 2 &&
          std::abs(lastClick.at.y - cursor.y) <= 2) {
        message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        lastClick = LastClick{};
      } else {
        lastClick = LastClick{target, message, now, cursor};
      }
    }
  }
  input.push_back(InputMessage{makeMessage(target, message, mouseButtons, MAKELPARAM(p.x, p.y))});
}

void queueKey(const BackendEvent& event) {
  HWND target = keyboardTarget(event.window);
  if (target == nullptr) return;
  if (event.type == BackendEventType::KeyDown) {
    LPARAM lParam = 1 | (event.repeat ? (1 << 30) : 0);
    input.push_back(InputMessage{makeMessage(target, WM_KEYDOWN, event.virtualKey, lParam)});
  } else if (event.type == BackendEventType::KeyUp) {
    LPARAM lParam = static_cast<LPARAM>(1 | (1u << 30) | (1u << 31));
    input.push_back(InputMessage{makeMessage(target, WM_KEYUP, event.virtualKey, lParam)});
  } else {
    input.push_back(InputMessage{makeMessage(target, WM_CHAR, event.character, 1)});
  }
}

// A window filling its display keeps its frame off the screen, as a maximised
// one does, so only the smallest tracking size holds it back.
void resizeFromUser(Window* top, int clientWidth, int clientHeight, bool fillsScreen) {
  HWND hwnd = top->handle;
  if (top->minimised) return;
  RECT inset = frameInsets(top->style);
  int wanted = clientWidth + inset.left + inset.right;
  int wantedHeight = clientHeight + inset.top + inset.bottom;
  MINMAXINFO info = queryMinMaxInfo(hwnd);
  const POINT most = fillsScreen ? POINT{INT_MAX, INT_MAX} : info.ptMaxTrackSize;
  int windowWidth =
      std::clamp<int>(wanted, info.ptMinTrackSize.x, std::max(info.ptMinTrackSize.x, most.x));
  int windowHeight =
      std::clamp<int>(wantedHeight, info.ptMinTrackSize.y, std::max(info.ptMinTrackSize.y, most.y));
  if ((top = findWindow(hwnd)) == nullptr) return;
  RECT target{top->windowRect.left, top->windowRect.top, top->windowRect.left + windowWidth,
              top->windowRect.top + windowHeight};
  top->maximised = false;
  applyWindowRect(hwnd, target, 0, true);
  // The window refused the size the user dragged to: put the native window
  // back to the size it has.
  if ((top = findWindow(hwnd)) != nullptr && top->backendWindow &&
      (windowWidth != wanted || windowHeight != wantedHeight))
    backend().setWindowClient(hwnd, top->clientRect);
}

// Takes the first queued input message for the filter, sending
// WM_MOUSEACTIVATE first when a click lands on an inactive window.
bool takeInput(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  for (size_t i = 0; i < input.size(); ++i) {
    InputMessage& item = input[i];
    if (!windowPasses(filter, item.msg.hwnd) || !inRange(item.msg.message, filterMin, filterMax))
      continue;
    UINT m = item.msg.message;
    bool press = m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN ||
                 m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK;
    Window* top = topLevelOf(findWindow(item.msg.hwnd));
    if (press && !item.activationChecked && top != nullptr && top->handle != activeWindow()) {
      item.activationChecked = true;
      MSG click = item.msg;
      LRESULT answer = sendMessage(click.hwnd, WM_MOUSEACTIVATE,
                                   reinterpret_cast<WPARAM>(top->handle), MAKELPARAM(HTCLIENT, m));
      if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT)
        activateTopLevel(top->handle, WA_CLICKACTIVE);
      if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT) {
        // The click only activated the window: it is gone. Sends may have
        // changed the queue, so look for it again.
        for (auto it = input.begin(); it != input.end(); ++it) {
          if (it->msg.hwnd == click.hwnd && it->msg.message == click.message &&
              it->msg.time == click.time && it->msg.lParam == click.lParam) {
            input.erase(it);
            break;
          }
        }
        return takeInput(msg, filter, filterMin, filterMax, remove);
      }
      return takeInput(msg, filter, filterMin, filterMax, remove);
    }
    *msg = item.msg;
    if (remove) {
      // The thread's key state moves as key messages are taken, so
      // TranslateMessage sees Shift as it was when the key went down.
      if (m == WM_KEYDOWN)
        noteKeyDown(static_cast<UINT>(msg->wParam), (msg->lParam & (1 << 30)) != 0);
      if (m == WM_KEYUP) noteKeyUp(static_cast<UINT>(msg->wParam));
      input.erase(input.begin() + static_cast<long>(i));
    }
    return true;
  }
  return false;
}

bool takePosted(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  for (auto it = posted.begin(); it != posted.end(); ++it) {
    if (!windowPasses(filter, it->hwnd) || !inRange(it->message, filterMin, filterMax)) continue;
    *msg = *it;
    if (remove) posted.erase(it);
    return true;
  }
  return false;
}

void pollBackend() {
  BackendEvent event;
  while (backend().waitEvent(&event, 0)) handleBackendEvent(event);
}

}  // namespace

void handleBackendEvent(const BackendEvent& event) {
  switch (event.type) {
    case BackendEventType::KeyDown:
    case BackendEventType::KeyUp:
    case BackendEventType::Char:
      queueKey(event);
      return;
    case BackendEventType::MouseMove:
    case BackendEventType::MouseDown:
    case BackendEventType::MouseUp:
      queueMouse(event);
      return;
    case BackendEventType::MessageBoxAnswer:
      boxAnswers[event.box] = event.answer;
      return;
    case BackendEventType::Close:
      if (event.window == nullptr) {
        PostQuitMessage(0);
        return;
      }
      break;
    default:
      break;
  }
  Window* top = topLevelFor(event.window);
  if (top == nullptr) return;
  HWND hwnd = top->handle;
  switch (event.type) {
    case BackendEventType::Activate:
      activateTopLevel(hwnd, WA_ACTIVE);
      break;
    case BackendEventType::Deactivate:
      if (activeWindow() == hwnd) activateTopLevel(nullptr, WA_INACTIVE);
      break;
    case BackendEventType::Minimise:
      minimiseWindow(hwnd, true);
      break;
    case BackendEventType::Restore:
      restoreWindow(hwnd, true);
      break;
    case BackendEventType::Resize:
    case BackendEventType::FillScreen:
      resizeFromUser(top, event.width, event.height, event.type == BackendEventType::FillScreen);
      break;
    case BackendEventType::Close:
      // The close box: the system command, whose default is WM_CLOSE.
      sendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    default:
      break;
  }
}

bool takeMessageBoxAnswer(int box, int* answer) {
  auto it = boxAnswers.find(box);
  if (it == boxAnswers.end()) return false;
  *answer = it->second;
  boxAnswers.erase(it);
  return true;
}

bool messageBoxAnswered(int box) {
  return boxAnswers.count(box) != 0;
}

void resetMessageQueue() {
  posted.clear();
  input.clear();
  quitPending = false;
  quitCode = 0;
  boxAnswers.clear();
  cursor = POINT{0, 0};
  mouseButtons = 0;
  lastClick = LastClick{};
}

LRESULT sendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || w->proc == nullptr) return 0;
  return w->proc(hwnd, message, wParam, lParam);
}

bool fetchMessage(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove, bool wait,
                  int watchedBox) {
  for (;;) {
    presentDirtyFramebuffers();
    pollBackend();
    if (watchedBox != 0 && messageBoxAnswered(watchedBox)) return false;
    if (takePosted(msg, filter, filterMin, filterMax, remove)) return true;
    if (quitPending && inRange(WM_QUIT, filterMin, filterMax)) {
      *msg = makeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0);
      if (remove) quitPending = false;
      return true;
    }
    if (takeInput(msg, filter, filterMin, filterMax, remove)) return true;
    if (inRange(WM_PAINT, filterMin, filterMax)) {
      if (HWND hwnd = findWindowNeedingPaint(filter)) {
        *msg = makeMessage(hwnd, WM_PAINT, 0, 0);
        return true;
      }
    }
    DWORD now = currentTime();
    DueTimer due;
    if (inRange(WM_TIMER, filterMin, filterMax) && findDueTimer(filter, now, &due)) {
      *msg = makeMessage(due.hwnd, WM_TIMER, due.id, reinterpret_cast<LPARAM>(due.proc));
      if (remove) restartDueTimer(due.hwnd, due.id, now);
      return true;
    }
    if (!wait) return false;
    uint32_t timeout = kBackendWaitForever;
    if (inRange(WM_TIMER, filterMin, filterMax)) timeToNextTimer(filter, now, &timeout);
    BackendEvent event;
    if (backend().waitEvent(&event, timeout)) handleBackendEvent(event);
  }
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (msg == nullptr) return -1;
  if (hwnd != nullptr && hwnd != reinterpret_cast<HWND>(-1) && findWindow(hwnd) == nullptr)
    return -1;
  fetchMessage(msg, hwnd, filterMin, filterMax, true, true, 0);
  return msg->message != WM_QUIT;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove) {
  if (msg == nullptr) return FALSE;
  return fetchMessage(msg, hwnd, filterMin, filterMax, (remove & PM_REMOVE) != 0, false, 0);
}

BOOL WINAPI WaitMessage(void) {
  MSG msg;
  if (fetchMessage(&msg, nullptr, 0, 0, false, false, 0)) return TRUE;
  DWORD now = currentTime();
  uint32_t timeout = kBackendWaitForever;
  timeToNextTimer(nullptr, now, &timeout);
  BackendEvent event;
  if (backend().waitEvent(&event, timeout)) handleBackendEvent(event);
  return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (msg == nullptr) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    // A timer with a callback: called here instead of the window procedure,
    // and only while that timer still exists.
    TIMERPROC proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    if (!timerStillMatches(msg->hwnd, msg->wParam, proc)) return 0;
    proc(msg->hwnd, WM_TIMER, msg->wParam, currentTime());
    return 0;
  }
  return sendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd != nullptr && findWindow(hwnd) == nullptr) return FALSE;
  posted.push_back(makeMessage(hwnd, message, wParam, lParam));
  return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return sendMessage(hwnd, message, wParam, lParam);
}

VOID WINAPI PostQuitMessage(int exitCode) {
  quitPending = true;
  quitCode = exitCode;
}
