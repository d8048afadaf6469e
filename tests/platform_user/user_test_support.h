// A headless desktop for each test and a window procedure that writes down
// every message it hears, so tests can compare the order Windows gives.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <set>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/win32.h"

struct LoggedMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// What a test wants a window to answer; nullopt leaves it to DefWindowProcA.
using MessageHandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class UserTest : public ::testing::Test {
 protected:
  static constexpr const char* kClass = "RecorderWindow";
  static constexpr const char* kChildClass = "RecorderChild";

  void SetUp() override;
  virtual HeadlessConfig config() const { return HeadlessConfig{}; }

  // An overlapped window of the recording class (not shown).
  HWND createTopLevel(DWORD style = WS_OVERLAPPEDWINDOW, int width = 400, int height = 300);
  HWND createChild(HWND parent, int x, int y, int width, int height, DWORD style = WS_CHILD);
  // A top-level window shown and with its first paint done.
  HWND createShownWindow();

  // The logged messages that are among `wanted`, in order (all windows, or
  // one window).
  std::vector<UINT> messages(std::initializer_list<UINT> wanted, HWND only = nullptr) const;
  std::vector<LoggedMessage> logged(UINT message, HWND only = nullptr) const;
  // Runs every message that is ready without letting the clock move.
  void drain();
  void clearLog() { log.clear(); }

  static std::vector<LoggedMessage> log;
  static MessageHandler handler;
  static LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
