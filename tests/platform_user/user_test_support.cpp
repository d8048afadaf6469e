// The USER fixture: a window procedure that writes down every message, and
// freshly registered classes for each test. The headless desktop starts
// empty for every test; the conformance build for Windows runs the same
// fixture on a real desktop, which nothing resets between tests, so there
// each test first clears away what the last one left.
#include "user_test_support.h"

std::vector<LoggedMessage> UserTest::log;
MessageHandler UserTest::handler;

#ifdef _WIN32
namespace {
BOOL CALLBACK destroyLeftover(HWND hwnd, LPARAM) {
  DestroyWindow(hwnd);
  return TRUE;
}
}  // namespace
#endif

LRESULT CALLBACK UserTest::recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  log.push_back(LoggedMessage{hwnd, message, wParam, lParam});
  if (handler) {
    if (std::optional<LRESULT> answer = handler(hwnd, message, wParam, lParam)) return *answer;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void UserTest::SetUp() {
#ifdef _WIN32
  handler = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), destroyLeftover, 0);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  UnregisterClassA(kClass, instance);
  UnregisterClassA(kChildClass, instance);
  log.clear();
#else
  installHeadlessBackend(config());
  log.clear();
  handler = nullptr;
  HINSTANCE instance = nullptr;
#endif
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = recordingProc;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kClass;
  ASSERT_NE(RegisterClassA(&wc), 0);
  wc.lpszClassName = kChildClass;
  wc.style = CS_OWNDC;
  ASSERT_NE(RegisterClassA(&wc), 0);
}

HWND UserTest::createTopLevel(DWORD style, int width, int height) {
  return CreateWindowExA(0, kClass, "Recorder", style, 10, 20, width, height, nullptr, nullptr,
                         nullptr, nullptr);
}

HWND UserTest::createChild(HWND parent, int x, int y, int width, int height, DWORD style) {
  return CreateWindowExA(0, kChildClass, "", style, x, y, width, height, parent, nullptr, nullptr,
                         nullptr);
}

HWND UserTest::createShownWindow() {
  HWND hwnd = createTopLevel();
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  drain();
  clearLog();
  return hwnd;
}

std::vector<UINT> UserTest::messages(std::initializer_list<UINT> wanted, HWND only) const {
  std::set<UINT> set(wanted);
  std::vector<UINT> result;
  for (const LoggedMessage& m : log)
    if (set.count(m.message) && (only == nullptr || m.hwnd == only)) result.push_back(m.message);
  return result;
}

std::vector<LoggedMessage> UserTest::logged(UINT message, HWND only) const {
  std::vector<LoggedMessage> result;
  for (const LoggedMessage& m : log)
    if (m.message == message && (only == nullptr || m.hwnd == only)) result.push_back(m);
  return result;
}

void UserTest::drain() {
  MSG msg;
  int guard = 0;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    ASSERT_LT(++guard, 10000) << "the queue never emptied";
  }
}
