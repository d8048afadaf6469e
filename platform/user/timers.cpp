// Window timers. A timer is not a queued message: WM_TIMER is made when the
// queue has nothing better and the timer is due, so at most one is pending per
// timer and periods missed by a slow handler are dropped, never replayed.
#include <algorithm>

#include "platform/user/user_state.h"

namespace {

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT period;
  TIMERPROC proc;
  DWORD due;
};

std::vector<Timer> timers;  // in creation order, which breaks ties
UINT_PTR nextThreadTimerId = 1;

// Signed distance on the wrapping clock: negative while `due` is ahead.
int32_t overdue(DWORD now, DWORD due) {
  return static_cast<int32_t>(now - due);
}

bool passesFilter(HWND filter, HWND hwnd) {
  return filter == nullptr || filter == hwnd;
}

Timer* find(HWND hwnd, UINT_PTR id) {
  for (Timer& t : timers)
    if (t.hwnd == hwnd && t.id == id) return &t;
  return nullptr;
}

}  // namespace

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  if (hwnd != nullptr && findWindow(hwnd) == nullptr) return 0;
  UINT period = std::clamp<UINT>(elapseMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  if (hwnd == nullptr && find(nullptr, id) == nullptr) {
    // A thread timer gets an id of its own.
    while (find(nullptr, nextThreadTimerId) != nullptr || nextThreadTimerId == 0)
      ++nextThreadTimerId;
    id = nextThreadTimerId++;
  }
  DWORD due = currentTime() + period;
  if (Timer* existing = find(hwnd, id)) {
    // Same window and id: replaced, and the period starts again.
    existing->period = period;
    existing->proc = proc;
    existing->due = due;
  } else {
    timers.push_back(Timer{hwnd, id, period, proc, due});
  }
  return id != 0 ? id : 1;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
  auto it = std::find_if(timers.begin(), timers.end(),
                         [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  return TRUE;
}

bool findDueTimer(HWND filter, DWORD now, DueTimer* due) {
  const Timer* best = nullptr;
  for (const Timer& t : timers) {
    if (!passesFilter(filter, t.hwnd) || overdue(now, t.due) < 0) continue;
    if (best == nullptr || overdue(now, t.due) > overdue(now, best->due)) best = &t;
  }
  if (best == nullptr) return false;
  *due = DueTimer{best->hwnd, best->id, best->proc};
  return true;
}

void restartDueTimer(HWND hwnd, UINT_PTR id, DWORD now) {
  Timer* t = find(hwnd, id);
  if (t == nullptr) return;
  // Keep the timer's phase, skipping every period that has already gone by.
  t->due += t->period;
  if (overdue(now, t->due) >= 0) {
    DWORD missed = static_cast<DWORD>(overdue(now, t->due)) / t->period + 1;
    t->due += missed * t->period;
  }
}

bool timeToNextTimer(HWND filter, DWORD now, uint32_t* ms) {
  bool any = false;
  uint32_t best = 0;
  for (const Timer& t : timers) {
    if (!passesFilter(filter, t.hwnd)) continue;
    int32_t wait = -overdue(now, t.due);
    uint32_t untilDue = wait > 0 ? static_cast<uint32_t>(wait) : 0;
    if (!any || untilDue < best) best = untilDue;
    any = true;
  }
  if (any) *ms = best;
  return any;
}

bool timerStillMatches(HWND hwnd, UINT_PTR id, TIMERPROC proc) {
  Timer* t = find(hwnd, id);
  return t != nullptr && t->proc == proc;
}

void killWindowTimers(HWND hwnd) {
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
               timers.end());
}

void resetTimers() {
  timers.clear();
  nextThreadTimerId = 1;
}
