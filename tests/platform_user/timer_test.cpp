// Window timers: exact periods on the virtual clock, one pending at most,
// missed periods dropped, replacement, KillTimer, TIMERPROC dispatch.
#include "user_test_support.h"

namespace {

struct TimerCall {
  HWND hwnd;
  UINT message;
  UINT_PTR id;
  DWORD time;
};
std::vector<TimerCall> calls;

VOID CALLBACK recordTimer(HWND hwnd, UINT message, UINT_PTR id, DWORD time) {
  calls.push_back(TimerCall{hwnd, message, id, time});
}

VOID CALLBACK otherTimer(HWND, UINT, UINT_PTR, DWORD) {}

class Timers : public UserTest {
 protected:
  HeadlessConfig config() const override {
    HeadlessConfig c;
    c.startTick = 1000;
    return c;
  }
  void SetUp() override {
    UserTest::SetUp();
    calls.clear();
    hwnd = createShownWindow();
  }
  // Runs the loop until `count` timer calls have been made.
  void runTimerCalls(size_t count) {
    MSG msg;
    while (calls.size() < count) {
      ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
      DispatchMessageA(&msg);
    }
  }
  // Lets the clock reach `tick` without handing out any timer message.
  void advanceWithoutTimers(uint32_t tick) {
    BackendEvent e;
    e.type = BackendEventType::KeyDown;
    e.virtualKey = VK_F24;
    headlessScheduleEvent(tick, e);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN));
  }
  bool timerWaiting() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE);
  }
  std::vector<DWORD> callTimes() const {
    std::vector<DWORD> times;
    for (const TimerCall& c : calls) times.push_back(c.time);
    return times;
  }
  HWND hwnd = nullptr;
};

TEST_F(Timers, CallbackGetsWindowMessageIdAndTickAtExactPeriods) {
  ASSERT_NE(SetTimer(hwnd, 666, 40, recordTimer), 0u);
  runTimerCalls(3);
  EXPECT_EQ(callTimes(), (std::vector<DWORD>{1040, 1080, 1120}));
  EXPECT_EQ(calls[0].hwnd, hwnd);
  EXPECT_EQ(calls[0].message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(calls[0].id, 666u);
  EXPECT_TRUE(logged(WM_TIMER).empty()) << "a TIMERPROC replaces the window procedure";
}

TEST_F(Timers, WithoutCallbackTheWindowGetsWmTimer) {
  SetTimer(hwnd, 3, 25, nullptr);
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.lParam, 0);
  DispatchMessageA(&msg);
  ASSERT_EQ(logged(WM_TIMER, hwnd).size(), 1u);
  EXPECT_EQ(logged(WM_TIMER, hwnd)[0].wParam, 3u);
  EXPECT_EQ(headlessNow(), 1025u);
}

TEST_F(Timers, AtMostOnePendingAndMissedPeriodsAreDropped) {
  SetTimer(hwnd, 1, 40, recordTimer);
  advanceWithoutTimers(1250);  // six periods have gone by unserved
  runTimerCalls(1);
  EXPECT_FALSE(timerWaiting()) << "no backlog of missed periods";
  runTimerCalls(2);
  EXPECT_EQ(callTimes(), (std::vector<DWORD>{1250, 1280})) << "the phase is kept";
}

TEST_F(Timers, SettingTheSameIdAgainReplacesAndRestarts) {
  SetTimer(hwnd, 1, 40, otherTimer);
  advanceWithoutTimers(1030);
  EXPECT_EQ(SetTimer(hwnd, 1, 40, recordTimer), 1u);
  runTimerCalls(1);
  EXPECT_EQ(callTimes(), (std::vector<DWORD>{1070}));
}

TEST_F(Timers, NoMessageAfterKillTimerEvenWhenAlreadyRetrieved) {
  SetTimer(hwnd, 1, 40, recordTimer);
  advanceWithoutTimers(1100);
  EXPECT_TRUE(timerWaiting());
  EXPECT_TRUE(KillTimer(hwnd, 1));
  EXPECT_FALSE(timerWaiting());
  EXPECT_FALSE(KillTimer(hwnd, 1));

  SetTimer(hwnd, 2, 40, recordTimer);
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  ASSERT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  KillTimer(hwnd, 2);
  DispatchMessageA(&msg);
  EXPECT_TRUE(calls.empty());
}

TEST_F(Timers, PeriodsBelowTenMillisecondsBecomeTen) {
  SetTimer(hwnd, 1, 1, recordTimer);
  runTimerCalls(2);
  EXPECT_EQ(callTimes(), (std::vector<DWORD>{1010, 1020}));
  KillTimer(hwnd, 1);
  SetTimer(hwnd, 1, 0, recordTimer);
  runTimerCalls(3);
  EXPECT_EQ(calls[2].time, calls[1].time + 10);
}

TEST_F(Timers, TwoTimersInterleaveByDueTime) {
  SetTimer(hwnd, 1, 30, recordTimer);
  SetTimer(hwnd, 2, 50, recordTimer);
  runTimerCalls(4);
  std::vector<UINT_PTR> ids;
  for (const TimerCall& c : calls) ids.push_back(c.id);
  EXPECT_EQ(ids, (std::vector<UINT_PTR>{1, 2, 1, 1}));
  EXPECT_EQ(callTimes(), (std::vector<DWORD>{1030, 1050, 1060, 1090}));
}

TEST_F(Timers, ThreadTimerGetsItsOwnId) {
  UINT_PTR id = SetTimer(nullptr, 0, 40, recordTimer);
  EXPECT_NE(id, 0u);
  runTimerCalls(1);
  EXPECT_EQ(calls[0].hwnd, nullptr);
  EXPECT_EQ(calls[0].id, id);
}

TEST_F(Timers, DestroyingTheWindowKillsItsTimers) {
  SetTimer(hwnd, 1, 40, recordTimer);
  advanceWithoutTimers(1200);
  EXPECT_TRUE(timerWaiting());
  DestroyWindow(hwnd);
  EXPECT_FALSE(timerWaiting());
}

}  // namespace
