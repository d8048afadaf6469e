// The queue's order: posted, WM_QUIT, input, WM_PAINT, WM_TIMER; and how the
// virtual clock moves only when GetMessageA waits.
#include "user_test_support.h"

namespace {

class MessageQueue : public UserTest {
 protected:
  HeadlessConfig config() const override {
    HeadlessConfig c;
    c.startTick = 5000;
    return c;
  }

  BackendEvent keyDown(UINT vk) {
    BackendEvent e;
    e.type = BackendEventType::KeyDown;
    e.virtualKey = vk;
    return e;
  }

  // Moves the clock to `tick` by waiting for a key scheduled there, leaving
  // everything else queued.
  void advanceTo(uint32_t tick) {
    headlessScheduleEvent(tick, keyDown(VK_F24));
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN));
    ASSERT_EQ(msg.wParam, static_cast<WPARAM>(VK_F24));
    ASSERT_EQ(headlessNow(), tick);
  }

  UINT next(MSG* msg) {
    EXPECT_TRUE(GetMessageA(msg, nullptr, 0, 0));
    DispatchMessageA(msg);
    return msg->message;
  }
};

TEST_F(MessageQueue, PostedThenInputThenPaintThenTimer) {
  HWND hwnd = createShownWindow();
  SetTimer(hwnd, 7, 10, nullptr);
  advanceTo(5050);  // the timer is overdue now
  headlessScheduleEvent(5050, keyDown('B'));
  InvalidateRect(hwnd, nullptr, FALSE);
  PostMessageA(hwnd, WM_USER, 1, 2);
  MSG msg;
  EXPECT_EQ(next(&msg), static_cast<UINT>(WM_USER));
  EXPECT_EQ(msg.lParam, 2);
  EXPECT_EQ(next(&msg), static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>('B'));
  EXPECT_EQ(next(&msg), static_cast<UINT>(WM_PAINT));
  EXPECT_EQ(next(&msg), static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(headlessNow(), 5050u) << "nothing waited while messages were ready";
}

TEST_F(MessageQueue, QuitComesOnceThePostedMessagesAreGoneButBeforeInput) {
  HWND hwnd = createShownWindow();
  headlessScheduleEvent(5000, keyDown('Q'));
  PostMessageA(hwnd, WM_USER, 0, 0);
  PostQuitMessage(3);
  PostMessageA(hwnd, WM_USER + 1, 0, 0);
  MSG msg;
  EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0)) << "the quit is delivered once";
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
}

TEST_F(MessageQueue, PaintThatNeverValidatesStarvesTheTimer) {
  HWND hwnd = createShownWindow();
  handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_PAINT) return 0;  // never calls BeginPaint
    return std::nullopt;
  };
  SetTimer(hwnd, 1, 10, nullptr);
  advanceTo(5100);
  InvalidateRect(hwnd, nullptr, FALSE);
  MSG msg;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(next(&msg), static_cast<UINT>(WM_PAINT));
  ValidateRect(hwnd, nullptr);
  EXPECT_EQ(next(&msg), static_cast<UINT>(WM_TIMER));
}

TEST_F(MessageQueue, PeekWithoutRemoveLeavesTheMessage) {
  HWND hwnd = createShownWindow();
  PostMessageA(hwnd, WM_USER, 0, 0);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, FiltersSelectByWindowAndRange) {
  HWND a = createShownWindow();
  HWND b = createShownWindow();
  PostMessageA(a, WM_USER, 0, 0);
  PostMessageA(b, WM_USER + 2, 0, 0);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, b);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 1, WM_USER + 5, PM_REMOVE));
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, a);
}

TEST_F(MessageQueue, WaitingJumpsTheClockToTheNextEvent) {
  createShownWindow();
  headlessScheduleEvent(5000 + 123456, keyDown('Z'));
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(headlessNow(), 5000u + 123456u);
  EXPECT_EQ(GetTickCount(), headlessNow());
}

TEST_F(MessageQueue, AnIdleProgramIsClosedRatherThanLeftHanging) {
  HWND hwnd = createShownWindow();
  handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return std::nullopt;
  };
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0)) DispatchMessageA(&msg);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(messages({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}, hwnd),
            (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
}

TEST_F(MessageQueue, CharactersComeFromTranslateMessage) {
  HWND hwnd = createShownWindow();
  auto press = [&](UINT vk, bool down = true) {
    BackendEvent e = keyDown(vk);
    if (!down) e.type = BackendEventType::KeyUp;
    headlessScheduleEvent(5000, e);
  };
  press('F');
  press(VK_SHIFT);
  press('X');
  press(VK_SHIFT, false);
  press(VK_LEFT);
  press(VK_NUMPAD4);
  press(VK_RETURN);
  press(VK_ESCAPE);
  press(VK_F2);
  press('7');
  drain();
  std::vector<WPARAM> chars;
  for (const LoggedMessage& m : logged(WM_CHAR, hwnd)) chars.push_back(m.wParam);
  EXPECT_EQ(chars, (std::vector<WPARAM>{'f', 'X', '4', '\r', 0x1B, '7'}));
  EXPECT_EQ(logged(WM_KEYDOWN, hwnd).size(), 9u);
}

TEST_F(MessageQueue, HeldKeysRepeatWithBit30) {
  HWND hwnd = createShownWindow();
  BackendEvent e = keyDown(VK_LEFT);
  headlessScheduleEvent(5000, e);
  e.repeat = true;
  headlessScheduleEvent(5000, e);
  drain();
  auto downs = logged(WM_KEYDOWN, hwnd);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].lParam & (1 << 30), 0);
  EXPECT_NE(downs[1].lParam & (1 << 30), 0);
}

}  // namespace
