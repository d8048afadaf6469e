#include "posix_compat.h"

#include <cstring>

#include "platform/win32.h"

extern "C" char* mkdtemp(char* pattern) {
  const size_t length = std::strlen(pattern);
  if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) return nullptr;
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    unsigned seed = GetCurrentProcessId() * 7919u + GetTickCount() + ++counter * 104729u;
    for (size_t i = length - 6; i < length; ++i) {
      pattern[i] = kLetters[seed % 36];
      seed /= 36;
    }
    if (CreateDirectoryA(pattern, nullptr)) return pattern;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return nullptr;
  }
  return nullptr;
}
