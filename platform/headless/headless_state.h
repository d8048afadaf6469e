// The headless desktop's records, shared by the backend's own files.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless/headless.h"

struct HeadlessWindow {
  HWND hwnd = nullptr;
  std::string title;
  RECT client{};
  BackendWindowState state = BackendWindowState::Hidden;
  std::vector<uint32_t> pixels;  // what was presented
  int width = 0;
  int height = 0;
  int presentCount = 0;
};

// Events sort by time, then by the order they were scheduled in.
struct HeadlessEventKey {
  uint64_t at;
  uint64_t sequence;
  bool operator<(const HeadlessEventKey& o) const {
    return at != o.at ? at < o.at : sequence < o.sequence;
  }
};

struct HeadlessAnswer {
  uint64_t notBefore;  // ms from the start
  int answer;
  std::optional<uint32_t> delayMs;
};

struct HeadlessOpenBox {
  int id;
  int answer;
  uint64_t answerAt;  // ms from the start
};

struct HeadlessDesktop {
  HeadlessConfig config;
  uint64_t elapsed = 0;  // ms since the start; the clock is startTick + elapsed
  std::optional<uint64_t> endElapsed;
  bool endReached = false;
  int closesSent = 0;
  std::vector<HeadlessWindow> windows;  // in creation order
  std::map<HeadlessEventKey, BackendEvent> events;
  uint64_t nextSequence = 0;
  std::deque<HeadlessAnswer> answers;
  std::deque<HeadlessOpenBox> openBoxes;
  int lastBoxId = 0;
  std::vector<HeadlessMessageBox> boxes;
  std::vector<HeadlessSound> sounds;
};

HeadlessDesktop& headlessDesktop();
void scheduleHeadlessEventAfter(uint64_t elapsed, const BackendEvent& event);
void queueHeadlessAnswerAfter(uint64_t elapsed, int answer);
