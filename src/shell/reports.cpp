// Invariant reports and the two kinds of warning box.
#include "shell/shell.h"

namespace {
uint32_t assertionReportsShown = 0;
}

uint32_t assertionReportCount() {
  return assertionReportsShown;
}

const char* gameSourceName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '/' || *p == '\\') name = p + 1;
  }
  return name;
}

void warn(const char* caption, const char* text) {
  int answer = MessageBoxA(nullptr, text, caption, MB_ICONEXCLAMATION | MB_OKCANCEL);
  if (answer == IDCANCEL && world.mainWindow != nullptr) DestroyWindow(world.mainWindow);
}

void showError(const char* text) {
  MessageBoxA(nullptr, text, loadString(STRING_TITLE), MB_ICONEXCLAMATION);
}

void assertFailed(const char* fileName, unsigned line) {
  ++assertionReportsShown;
  // As long as the formatter's own limit, whatever the name's length.
  char text[1024];
  wsprintfA(text, "%s line %u", fileName, line);
  warn("Assertion Failed", text);
  togglePause();
}
