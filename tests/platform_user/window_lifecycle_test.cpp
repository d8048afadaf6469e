// Creating and destroying windows: message order, failed creation, handles.
#include "user_test_support.h"

namespace {

using WindowLifecycle = UserTest;

TEST_F(WindowLifecycle, OverlappedCreationSendsMinMaxThenNcCreateThenNcCalcSizeThenCreate) {
  HWND hwnd = createTopLevel();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(messages({WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}),
            (std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
  // Its first WM_SIZE waits for the first ShowWindow.
  EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(WindowLifecycle, CreateStructCarriesTheArgumentsAndClientExcludesTheFrame) {
  const CREATESTRUCTA* seen = nullptr;
  CREATESTRUCTA copy{};
  handler = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message == WM_CREATE) {
      seen = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      copy = *seen;
    }
    return std::nullopt;
  };
  HWND hwnd = createTopLevel(WS_OVERLAPPEDWINDOW, 400, 300);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(copy.x, 10);
  EXPECT_EQ(copy.y, 20);
  EXPECT_EQ(copy.cx, 400);
  EXPECT_EQ(copy.cy, 300);
  RECT client;
  ASSERT_TRUE(GetClientRect(hwnd, &client));
  RECT frame{0, 0, client.right, client.bottom};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  EXPECT_EQ(frame.right - frame.left, 400);
  EXPECT_EQ(frame.bottom - frame.top, 300);
  EXPECT_LT(client.right, 400);
  EXPECT_LT(client.bottom, 300);
}

TEST_F(WindowLifecycle, CreateReturningMinusOneFailsAfterDestroyingTheWindow) {
  HWND created = nullptr;
  handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_CREATE) {
      created = hwnd;
      return -1;
    }
    return std::nullopt;
  };
  EXPECT_EQ(createTopLevel(), nullptr);
  ASSERT_NE(created, nullptr);
  EXPECT_FALSE(IsWindow(created));
  EXPECT_EQ(messages({WM_CREATE, WM_DESTROY, WM_NCDESTROY}, created),
            (std::vector<UINT>{WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
}

TEST_F(WindowLifecycle, NcCreateReturningZeroFailsWithoutCreateOrDestroy) {
  handler = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_NCCREATE) return 0;
    return std::nullopt;
  };
  EXPECT_EQ(createTopLevel(), nullptr);
  EXPECT_TRUE(messages({WM_CREATE, WM_DESTROY}).empty());
}

TEST_F(WindowLifecycle, ChildGetsSizeRightAfterCreateAndNoMinMaxQuery) {
  HWND parent = createTopLevel();
  clearLog();
  HWND child = createChild(parent, 5, 6, 70, 80);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(
      messages({WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}, child),
      (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
  auto size = logged(WM_SIZE, child);
  EXPECT_EQ(size[0].lParam, MAKELPARAM(70, 80));
  EXPECT_EQ(GetParent(child), parent);
  EXPECT_TRUE(IsChild(parent, child));
}

TEST_F(WindowLifecycle, ChildNeedsAValidParentAndClassesMustExist) {
  EXPECT_EQ(createChild(nullptr, 0, 0, 10, 10), nullptr);
  HWND stale = createTopLevel();
  DestroyWindow(stale);
  EXPECT_EQ(createChild(stale, 0, 0, 10, 10), nullptr);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                            nullptr, nullptr, nullptr),
            nullptr);
}

TEST_F(WindowLifecycle, DestroySendsDestroyToParentFirstWhileChildrenStillExist) {
  HWND parent = createTopLevel();
  HWND child = createChild(parent, 0, 0, 10, 10);
  HWND grandchild = createChild(child, 0, 0, 5, 5);
  bool childAliveDuringParentDestroy = false;
  handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_DESTROY && hwnd == parent)
      childAliveDuringParentDestroy = IsWindow(child) && IsWindow(grandchild);
    return std::nullopt;
  };
  clearLog();
  EXPECT_TRUE(DestroyWindow(parent));
  EXPECT_TRUE(childAliveDuringParentDestroy);
  std::vector<std::pair<HWND, UINT>> order;
  for (const LoggedMessage& m : log)
    if (m.message == WM_DESTROY || m.message == WM_NCDESTROY) order.emplace_back(m.hwnd, m.message);
  EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{parent, WM_DESTROY},
                                                       {child, WM_DESTROY},
                                                       {grandchild, WM_DESTROY},
                                                       {grandchild, WM_NCDESTROY},
                                                       {child, WM_NCDESTROY},
                                                       {parent, WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(DestroyWindow(parent));
}

TEST_F(WindowLifecycle, StaleHandlesStayDeadWhenTheSlotIsReused) {
  HWND first = createTopLevel();
  DestroyWindow(first);
  HWND second = createTopLevel();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(SetWindowTextA(first, "x"));
  EXPECT_FALSE(ShowWindow(first, SW_SHOW));
  EXPECT_EQ(SendMessageA(first, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessageA(first, WM_USER, 0, 0));
  EXPECT_EQ(GetDC(first), nullptr);
  EXPECT_EQ(SetTimer(first, 1, 40, nullptr), 0u);
  EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(0x1234)));
}

TEST_F(WindowLifecycle, CloseDefaultsToDestroy) {
  HWND hwnd = createTopLevel();
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowLifecycle, ClassesMatchWithoutCaseAndRegisterOnce) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = recordingProc;
  wc.lpszClassName = "recorderWINDOW";
  EXPECT_EQ(RegisterClassA(&wc), 0) << "a second class of the same name";
  HWND hwnd = CreateWindowExA(0, "RECORDERWINDOW", "t", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200,
                              nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(FindWindowA("recorderwindow", nullptr), hwnd);
  EXPECT_EQ(FindWindowA(kChildClass, nullptr), nullptr);
  EXPECT_EQ(FindWindowA("NoSuchClass", nullptr), nullptr);
  EXPECT_FALSE(UnregisterClassA(kClass, nullptr)) << "still in use";
  DestroyWindow(hwnd);
  EXPECT_EQ(FindWindowA(kClass, nullptr), nullptr);
  EXPECT_TRUE(UnregisterClassA(kClass, nullptr));
}

TEST_F(WindowLifecycle, FindWindowIgnoresChildren) {
  HWND parent = createTopLevel();
  createChild(parent, 0, 0, 10, 10);
  EXPECT_EQ(FindWindowA(kChildClass, nullptr), nullptr);
  EXPECT_EQ(FindWindowA(kClass, nullptr), parent);
}

TEST_F(WindowLifecycle, MinimumTrackSizeLimitsTheCreationSize) {
  handler = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message == WM_GETMINMAXINFO) {
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{320, 300};
      return 0;
    }
    return std::nullopt;
  };
  HWND hwnd = createTopLevel(WS_OVERLAPPEDWINDOW, 100, 100);
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right - r.left, 320);
  EXPECT_EQ(r.bottom - r.top, 300);
}

#ifndef _WIN32  // what the headless desktop shows
TEST_F(WindowLifecycle, TitleGoesToTheBackend) {
  HWND hwnd = createTopLevel();
  EXPECT_EQ(headlessWindowTitle(hwnd), "Recorder");
  EXPECT_TRUE(SetWindowTextA(hwnd, "Paused title"));
  EXPECT_EQ(headlessWindowTitle(hwnd), "Paused title");
  char buffer[8];
  EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), 7);
  EXPECT_STREQ(buffer, "Paused ");
  EXPECT_EQ(GetWindowTextLengthA(hwnd), 12);
}
#endif

}  // namespace

#ifndef _WIN32  // the headless desktop's chosen screen size
namespace {

class LargeScreen : public UserTest {
 protected:
  HeadlessConfig config() const override {
    HeadlessConfig c;
    c.screenWidth = 1280;
    c.screenHeight = 1024;
    return c;
  }
};

TEST_F(LargeScreen, ScreenSizeComesFromTheBackendAndAScreenHighWindowFits) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1280);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 1024);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  HWND hwnd = CreateWindowExA(0, kClass, "t", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 128, 0, 1024,
                              1024, nullptr, nullptr, nullptr, nullptr);
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 128);
  EXPECT_EQ(r.right - r.left, 1024);
  EXPECT_EQ(r.bottom - r.top, 1024);
}

}  // namespace
#endif
