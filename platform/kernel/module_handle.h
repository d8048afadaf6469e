// The program's one module handle inside the layer: what GetModuleHandleA(NULL)
// returns and what the resource functions accept besides NULL.
#pragma once

#include "platform/win32/types.h"

inline HMODULE programModule() {
  // The customary load address of a 32-bit Windows executable; never
  // dereferenced, only compared.
  return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x00400000));
}

inline bool isProgramModule(HMODULE module) {
  return module == nullptr || module == programModule();
}
