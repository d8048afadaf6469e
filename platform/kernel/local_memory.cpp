// LocalAlloc and friends. Blocks are tracked so a stale or foreign handle is
// refused, as Windows refuses it, rather than passed to free().
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "platform/kernel/process_settings.h"
#include "platform/win32/kernel.h"

namespace {
// Sizes of the live blocks, by address.
std::unordered_map<void*, SIZE_T>& liveBlocks() {
  static std::unordered_map<void*, SIZE_T> blocks;
  return blocks;
}

bool isLive(HLOCAL mem) {
  return mem && liveBlocks().count(mem) != 0;
}
}  // namespace

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
  // No local heap could hold this; refuse it before the allocator sees it.
  if (bytes > (SIZE_MAX >> 2)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  // Windows gives a usable block even for zero bytes.
  void* block =
      (flags & LMEM_ZEROINIT) ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
  if (!block) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  liveBlocks()[block] = bytes;
  return block;
}

HLOCAL WINAPI LocalFree(HLOCAL mem) {
  if (!mem) return nullptr;
  if (!isLive(mem)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return mem;
  }
  liveBlocks().erase(mem);
  std::free(mem);
  return nullptr;
}

LPVOID WINAPI LocalLock(HLOCAL mem) {
  if (!isLive(mem)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return mem;
}

BOOL WINAPI LocalUnlock(HLOCAL mem) {
  // A fixed block has no lock count: FALSE with no error, as on Windows.
  if (!isLive(mem)) SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

SIZE_T WINAPI LocalSize(HLOCAL mem) {
  if (!isLive(mem)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return liveBlocks()[mem];
}

void releaseLocalMemory() {
  for (const auto& entry : liveBlocks()) std::free(entry.first);
  liveBlocks().clear();
}
