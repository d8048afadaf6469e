// Modal message boxes: the activation they take and give back, their own
// loop, and the headless answers and records.
#include "user_test_support.h"

namespace {

class MessageBoxes : public UserTest {
 protected:
  HeadlessConfig config() const override {
    HeadlessConfig c;
    c.startTick = 700;
    return c;
  }
};

TEST_F(MessageBoxes, BoxTakesTheActivationAndGivesItBack) {
  HWND hwnd = createShownWindow();
  headlessQueueAnswer(IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "text", "Caption", MB_ICONEXCLAMATION | MB_OKCANCEL), IDCANCEL);
  std::vector<WPARAM> activations;
  for (const LoggedMessage& m : logged(WM_ACTIVATE, hwnd)) activations.push_back(m.wParam);
  EXPECT_EQ(activations, (std::vector<WPARAM>{WA_INACTIVE, WA_ACTIVE}));
  EXPECT_EQ(GetActiveWindow(), hwnd);
  EXPECT_EQ(GetFocus(), hwnd);
  ASSERT_EQ(headlessMessageBoxes().size(), 1u);
  const HeadlessMessageBox& box = headlessMessageBoxes()[0];
  EXPECT_EQ(box.caption, "Caption");
  EXPECT_EQ(box.text, "text");
  EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OKCANCEL));
  EXPECT_EQ(box.answer, IDCANCEL);
  EXPECT_EQ(box.time, 700u);
}

TEST_F(MessageBoxes, TheBoxLoopDispatchesPaintsWhileTheWindowIsInactive) {
  HWND hwnd = createShownWindow();
  InvalidateRect(hwnd, nullptr, TRUE);
  MessageBoxA(nullptr, "x", "y", MB_OK);
  EXPECT_EQ(messages({WM_ACTIVATE, WM_PAINT}, hwnd),
            (std::vector<UINT>{WM_ACTIVATE, WM_PAINT, WM_ACTIVATE}));
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
}

TEST_F(MessageBoxes, TimersKeepRunningUntilTheBoxIsAnswered) {
  HWND hwnd = createShownWindow();
  SetTimer(hwnd, 1, 40, nullptr);
  headlessQueueAnswer(IDOK, 0, 100);  // the player reads for 100 ms
  MessageBoxA(nullptr, "x", "y", MB_OK);
  EXPECT_EQ(logged(WM_TIMER, hwnd).size(), 2u);  // at 740 and 780
  EXPECT_EQ(headlessNow(), 800u);
}

TEST_F(MessageBoxes, UnscriptedBoxesGetTheirFirstButton) {
  createShownWindow();
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_RETRYCANCEL), IDRETRY);
  headlessQueueAnswer(IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_OK), IDOK) << "an OK box has no Cancel";
  EXPECT_EQ(headlessMessageBoxes().size(), 4u);
}

TEST_F(MessageBoxes, AnswersWaitForTheirTime) {
  createShownWindow();
  headlessQueueAnswer(IDCANCEL, 1000);
  EXPECT_EQ(MessageBoxA(nullptr, "early", "b", MB_OKCANCEL), IDOK);
  BackendEvent e;
  e.type = BackendEventType::MouseMove;
  headlessScheduleEvent(1000, e);
  MSG msg;
  GetMessageA(&msg, nullptr, 0, 0);
  EXPECT_EQ(MessageBoxA(nullptr, "late", "b", MB_OKCANCEL), IDCANCEL);
}

TEST_F(MessageBoxes, CancelThatDestroysTheWindowEndsTheLoop) {
  HWND hwnd = createShownWindow();
  handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return std::nullopt;
  };
  headlessQueueAnswer(IDCANCEL);
  if (MessageBoxA(nullptr, "file.cpp line 12", "Assertion Failed", MB_OKCANCEL) == IDCANCEL)
    DestroyWindow(hwnd);
  MSG msg;
  EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(MessageBoxes, QuitUnderTheBoxEndsItAndIsKeptForTheMainLoop) {
  HWND hwnd = createShownWindow();
  PostQuitMessage(4);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_OKCANCEL), IDCANCEL);
  MSG msg;
  EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.wParam, 4u);
  EXPECT_EQ(GetActiveWindow(), hwnd);
}

}  // namespace
