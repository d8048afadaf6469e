#include "recording_backend.h"

#include <deque>

#include "platform/win32.h"

namespace {

Recording recording;
std::deque<int> unansweredBoxes;
int lastBoxId = 0;

uint32_t standingClock() {
  return 100000;
}

void recordPlay(const WaveFormat&, const uint8_t*, size_t, const void* image) {
  recording.sounds.push_back({image});
}

void recordStop() {
  recording.sounds.push_back({nullptr});
}

void fixedScreen(int* width, int* height) {
  *width = 1024;
  *height = 768;
}

bool acceptWindow(HWND, const char*, const RECT&) {
  return true;
}
void ignoreWindow(HWND) {}
void ignoreState(HWND, BackendWindowState) {}
void ignoreTitle(HWND, const char*) {}
void ignoreClient(HWND, const RECT&) {}
void ignorePresent(HWND, const uint32_t*, int, int, int, const RECT*, int) {}

bool answerBoxes(BackendEvent* event, uint32_t) {
  if (unansweredBoxes.empty()) return false;
  *event = BackendEvent{};
  event->type = BackendEventType::MessageBoxAnswer;
  event->box = unansweredBoxes.front();
  event->answer = IDOK;
  unansweredBoxes.pop_front();
  return true;
}

int recordBox(const char* text, const char* caption, UINT type) {
  recording.boxes.push_back({text, caption, type});
  unansweredBoxes.push_back(++lastBoxId);
  return lastBoxId;
}

Backend recordingBackend = {
    standingClock, recordPlay,  recordStop,  fixedScreen,  acceptWindow,
    ignoreWindow,  ignoreState, ignoreTitle, ignoreClient, ignoreWindow,
    ignorePresent, answerBoxes, recordBox,
};

}  // namespace

Recording& installRecordingBackend() {
  recording = Recording{};
  unansweredBoxes.clear();
  setBackend(&recordingBackend);
  return recording;
}
