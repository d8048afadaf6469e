// Activation, focus, minimising and restoring, user resizes, and
// WM_MOUSEACTIVATE eating the click that activates a window.
#include "user_test_support.h"

namespace {

class Activation : public UserTest {
 protected:
  void deliver(BackendEventType type, int x = 0, int y = 0) {
    BackendEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.width = x;
    e.height = y;
    headlessScheduleEvent(headlessNow(), e);
    drain();
  }
  void click(int x, int y) {
    deliver(BackendEventType::MouseDown, x, y);
    deliver(BackendEventType::MouseUp, x, y);
  }
  std::vector<WPARAM> activations(HWND hwnd) const {
    std::vector<WPARAM> values;
    for (const LoggedMessage& m : logged(WM_ACTIVATE, hwnd)) values.push_back(m.wParam);
    return values;
  }
};

TEST_F(Activation, FirstShowActivatesFocusesThenSizesAndMovesButPaintsLater) {
  HWND hwnd = createTopLevel();
  clearLog();
  ShowWindow(hwnd, SW_SHOWNORMAL);
  EXPECT_EQ(messages({WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS, WM_SIZE, WM_MOVE, WM_PAINT}),
            (std::vector<UINT>{WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS, WM_SIZE, WM_MOVE}));
  EXPECT_EQ(activations(hwnd), (std::vector<WPARAM>{WA_ACTIVE}));
  EXPECT_EQ(GetActiveWindow(), hwnd);
  EXPECT_EQ(GetFocus(), hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(logged(WM_SIZE)[0].wParam, static_cast<WPARAM>(SIZE_RESTORED));
  EXPECT_EQ(logged(WM_SIZE)[0].lParam, MAKELPARAM(client.right, client.bottom));
  EXPECT_EQ(headlessWindowState(hwnd), BackendWindowState::Normal);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));

  clearLog();
  ShowWindow(hwnd, SW_SHOWNORMAL);
  EXPECT_TRUE(messages({WM_SIZE, WM_ACTIVATE}).empty()) << "only the first showing sizes";
}

TEST_F(Activation, MinimiseSendsZeroSizeThenInactiveWithTheMinimisedFlag) {
  HWND hwnd = createShownWindow();
  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_EQ(messages({WM_SIZE, WM_ACTIVATE}), (std::vector<UINT>{WM_SIZE, WM_ACTIVATE}));
  auto size = logged(WM_SIZE, hwnd);
  EXPECT_EQ(size[0].wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
  EXPECT_EQ(size[0].lParam, 0);
  ASSERT_EQ(activations(hwnd).size(), 1u);
  EXPECT_EQ(LOWORD(activations(hwnd)[0]), WA_INACTIVE);
  EXPECT_NE(HIWORD(activations(hwnd)[0]), 0);
  EXPECT_TRUE(IsIconic(hwnd));
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 0);
  EXPECT_EQ(headlessWindowState(hwnd), BackendWindowState::Minimised);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(Activation, OpenIconRestoresSizeActivatesAndRepaints) {
  HWND hwnd = createShownWindow();
  RECT before;
  GetClientRect(hwnd, &before);
  ShowWindow(hwnd, SW_MINIMIZE);
  clearLog();
  EXPECT_TRUE(OpenIcon(hwnd));
  EXPECT_FALSE(IsIconic(hwnd));
  auto size = logged(WM_SIZE, hwnd);
  ASSERT_EQ(size.size(), 1u);
  EXPECT_EQ(size[0].wParam, static_cast<WPARAM>(SIZE_RESTORED));
  EXPECT_EQ(size[0].lParam, MAKELPARAM(before.right, before.bottom));
  EXPECT_EQ(activations(hwnd), (std::vector<WPARAM>{WA_ACTIVE}));
  EXPECT_TRUE(GetUpdateRect(hwnd, nullptr, FALSE));
  EXPECT_FALSE(OpenIcon(hwnd)) << "not minimised any more";
}

TEST_F(Activation, UserRestoreActivatesWhileStillMinimisedThenSizes) {
  HWND hwnd = createShownWindow();
  deliver(BackendEventType::Minimise);
  EXPECT_TRUE(IsIconic(hwnd));
  clearLog();
  deliver(BackendEventType::Restore);
  EXPECT_EQ(messages({WM_ACTIVATE, WM_SIZE}), (std::vector<UINT>{WM_ACTIVATE, WM_SIZE}));
  EXPECT_EQ(activations(hwnd), (std::vector<WPARAM>{MAKEWPARAM(WA_ACTIVE, 1)}));
  EXPECT_EQ(logged(WM_SIZE)[0].wParam, static_cast<WPARAM>(SIZE_RESTORED));
  EXPECT_FALSE(IsIconic(hwnd));
}

TEST_F(Activation, UserFocusChangesArriveAsActivateMessages) {
  HWND hwnd = createShownWindow();
  deliver(BackendEventType::Deactivate);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  deliver(BackendEventType::Activate);
  EXPECT_EQ(activations(hwnd), (std::vector<WPARAM>{WA_INACTIVE, WA_ACTIVE}));
  EXPECT_EQ(messages({WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS}),
            (std::vector<UINT>{WM_ACTIVATE, WM_KILLFOCUS, WM_ACTIVATE, WM_SETFOCUS}));
  EXPECT_EQ(GetFocus(), hwnd);
}

TEST_F(Activation, RaisingAnotherWindowMovesActivationBetweenThem) {
  HWND first = createShownWindow();
  HWND second = createShownWindow();
  EXPECT_EQ(GetActiveWindow(), second);
  clearLog();
  SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetActiveWindow(), first);
  std::vector<std::pair<HWND, WPARAM>> seen;
  for (const LoggedMessage& m : logged(WM_ACTIVATE)) seen.emplace_back(m.hwnd, m.wParam);
  EXPECT_EQ(seen,
            (std::vector<std::pair<HWND, WPARAM>>{{second, WA_INACTIVE}, {first, WA_ACTIVE}}));
  RECT r;
  GetWindowRect(first, &r);
  EXPECT_EQ(r.left, 10) << "SWP_NOMOVE";
}

TEST_F(Activation, ClickOnInactiveWindowAsksMouseActivateAndCanBeEaten) {
  HWND hwnd = createShownWindow();
  handler = [](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message == WM_MOUSEACTIVATE && LOWORD(lParam) == HTCLIENT) return MA_ACTIVATEANDEAT;
    return std::nullopt;
  };
  deliver(BackendEventType::Deactivate);
  clearLog();
  click(30, 40);
  EXPECT_EQ(messages({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP}),
            (std::vector<UINT>{WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONUP}));
  auto ask = logged(WM_MOUSEACTIVATE);
  EXPECT_EQ(ask[0].wParam, reinterpret_cast<WPARAM>(hwnd));
  EXPECT_EQ(ask[0].lParam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_EQ(activations(hwnd), (std::vector<WPARAM>{WA_CLICKACTIVE}));
  clearLog();
  click(30, 40);
  EXPECT_EQ(messages({WM_MOUSEACTIVATE, WM_LBUTTONDOWN}), (std::vector<UINT>{WM_LBUTTONDOWN}))
      << "the window is active now";
  EXPECT_EQ(logged(WM_LBUTTONDOWN)[0].lParam, MAKELPARAM(30, 40));
}

TEST_F(Activation, ByDefaultTheActivatingClickGetsThrough) {
  createShownWindow();
  deliver(BackendEventType::Deactivate);
  clearLog();
  click(5, 5);
  EXPECT_EQ(messages({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN}),
            (std::vector<UINT>{WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN}));
}

TEST_F(Activation, ChildAsksItsParentAndGetsTheClickInItsOwnCoordinates) {
  HWND parent = createShownWindow();
  HWND child = createChild(parent, 100, 50, 40, 30, WS_CHILD | WS_VISIBLE);
  handler = [parent](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_MOUSEACTIVATE && hwnd == parent) return MA_ACTIVATEANDEAT;
    return std::nullopt;
  };
  deliver(BackendEventType::Deactivate);
  clearLog();
  click(110, 60);
  auto asks = logged(WM_MOUSEACTIVATE);
  ASSERT_EQ(asks.size(), 2u);
  EXPECT_EQ(asks[0].hwnd, child);
  EXPECT_EQ(asks[1].hwnd, parent);
  EXPECT_TRUE(logged(WM_LBUTTONDOWN).empty());
  click(110, 60);
  auto down = logged(WM_LBUTTONDOWN);
  ASSERT_EQ(down.size(), 1u);
  EXPECT_EQ(down[0].hwnd, child);
  EXPECT_EQ(down[0].lParam, MAKELPARAM(10, 10));
}

TEST_F(Activation, MouseMovesAreInClientCoordinates) {
  HWND hwnd = createShownWindow();
  deliver(BackendEventType::MouseMove, 12, 34);
  auto moves = logged(WM_MOUSEMOVE, hwnd);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), 12);
  EXPECT_EQ(GET_Y_LPARAM(moves[0].lParam), 34);
}

TEST_F(Activation, UserResizeKeepsToTheTrackSizesUnlessFillingTheScreen) {
  HWND hwnd = createShownWindow();
  handler = [](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message == WM_GETMINMAXINFO) {
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{320, 300};
      return 0;
    }
    return std::nullopt;
  };
  deliver(BackendEventType::Resize, 100, 50);
  RECT window;
  GetWindowRect(hwnd, &window);
  EXPECT_EQ(window.right - window.left, 320);
  EXPECT_EQ(window.bottom - window.top, 300);
  RECT client;
  GetClientRect(hwnd, &client);
  auto sizes = logged(WM_SIZE, hwnd);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().lParam, MAKELPARAM(client.right, client.bottom));

  deliver(BackendEventType::Resize, 600, 500);
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 600);
  EXPECT_EQ(client.bottom, 500);

  // Dragged past the screen, the frame is held to the largest tracking size;
  // filling the display in fullscreen, the whole screen is the client area.
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  deliver(BackendEventType::Resize, screenWidth, screenHeight);
  GetWindowRect(hwnd, &window);
  EXPECT_EQ(window.bottom - window.top, GetSystemMetrics(SM_CYMAXTRACK));
  deliver(BackendEventType::FillScreen, screenWidth, screenHeight);
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, screenWidth);
  EXPECT_EQ(client.bottom, screenHeight);
  EXPECT_EQ(logged(WM_SIZE, hwnd).back().lParam, MAKELPARAM(screenWidth, screenHeight));
}

TEST_F(Activation, DestroyingTheActiveWindowDeactivatesItFirst) {
  HWND hwnd = createShownWindow();
  DestroyWindow(hwnd);
  EXPECT_EQ(messages({WM_ACTIVATE, WM_KILLFOCUS, WM_DESTROY}),
            (std::vector<UINT>{WM_ACTIVATE, WM_KILLFOCUS, WM_DESTROY}));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

}  // namespace
