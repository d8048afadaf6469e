// The lstr family: C string functions that tolerate NULL the way Windows
// does (it catches the fault and returns NULL or 0).
#include <cstring>

#include "platform/win32/kernel.h"

namespace {
int asciiLower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

int sign(int v) {
  return (v > 0) - (v < 0);
}

// NULL sorts before any string, and two NULLs are equal.
template <typename Fold>
int compareStrings(LPCSTR a, LPCSTR b, Fold fold) {
  if (!a || !b) return (a ? 1 : 0) - (b ? 1 : 0);
  const auto* p = reinterpret_cast<const unsigned char*>(a);
  const auto* q = reinterpret_cast<const unsigned char*>(b);
  while (*p && fold(*p) == fold(*q)) {
    ++p;
    ++q;
  }
  return sign(fold(*p) - fold(*q));
}
}  // namespace

int WINAPI lstrlenA(LPCSTR s) {
  return s ? static_cast<int>(std::strlen(s)) : 0;
}

int WINAPI lstrcmpiA(LPCSTR a, LPCSTR b) {
  return compareStrings(a, b, asciiLower);
}

// Windows sorts words, not bytes: letters compare without case first, and
// only strings equal but for case are told apart, lower case first.
int WINAPI lstrcmpA(LPCSTR a, LPCSTR b) {
  int order = compareStrings(a, b, asciiLower);
  if (order != 0 || !a || !b) return order;
  for (; *a; ++a, ++b) {
    if (*a != *b) return (*a >= 'a' && *a <= 'z') ? -1 : 1;
  }
  return 0;
}

LPSTR WINAPI lstrcpyA(LPSTR dst, LPCSTR src) {
  if (!dst || !src) return nullptr;
  std::memmove(dst, src, std::strlen(src) + 1);
  return dst;
}

LPSTR WINAPI lstrcpynA(LPSTR dst, LPCSTR src, int max) {
  if (!dst || !src) return nullptr;
  if (max <= 0) return dst;
  int n = 0;
  while (n < max - 1 && src[n]) {
    dst[n] = src[n];
    ++n;
  }
  dst[n] = '\0';
  return dst;
}

LPSTR WINAPI lstrcatA(LPSTR dst, LPCSTR src) {
  if (!dst || !src) return nullptr;
  std::memmove(dst + std::strlen(dst), src, std::strlen(src) + 1);
  return dst;
}
