// The clock, the module handle, the command line and debug output.
#include <cstdio>
#include <string>

#include "platform/backend.h"
#include "platform/kernel/module_handle.h"
#include "platform/kernel/process_settings.h"
#include "platform/win32/kernel.h"

namespace {
std::string& commandLineText() {
  static std::string text = "snowvel";
  return text;
}
}  // namespace

DWORD WINAPI GetTickCount(void) {
  Backend* backend = currentBackend();
  return backend && backend->tickCount ? backend->tickCount() : 0;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
  if (moduleName == nullptr) return programModule();
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

void setCommandLine(const std::string& commandLine) {
  commandLineText() = commandLine;
}

LPSTR WINAPI GetCommandLineA(void) {
  return commandLineText().data();
}

void WINAPI OutputDebugStringA(LPCSTR text) {
  if (text) std::fputs(text, stderr);
}
