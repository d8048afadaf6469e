// The calling thread's last error, as Windows keeps it.
#include "platform/win32/kernel.h"

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

DWORD WINAPI GetLastError(void) {
  return lastError;
}

void WINAPI SetLastError(DWORD errorCode) {
  lastError = errorCode;
}
