// The most memory operator new held at once while a PeakAllocation lived,
// for checking a reader's stated bound. It replaces the global operator new
// and delete: include it from one source file of an executable only.
#pragma once

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace peak_allocation {
inline bool counting = false;
inline size_t live = 0;
inline size_t peak = 0;
}  // namespace peak_allocation

class PeakAllocation {
 public:
  PeakAllocation() {
    peak_allocation::live = peak_allocation::peak = 0;
    peak_allocation::counting = true;
  }
  ~PeakAllocation() { peak_allocation::counting = false; }
  size_t bytes() const { return peak_allocation::peak; }
};

void* operator new(size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  if (peak_allocation::counting) {
    peak_allocation::live += malloc_usable_size(block);
    peak_allocation::peak = std::max(peak_allocation::peak, peak_allocation::live);
  }
  return block;
}

void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  if (peak_allocation::counting)
    peak_allocation::live -= std::min(peak_allocation::live, malloc_usable_size(block));
  std::free(block);
}

void operator delete(void* block, size_t) noexcept {
  operator delete(block);
}

// The other forms too, so that no block is taken by one allocator and given
// back to another (the sanitizers' runtimes have their own).
void* operator new[](size_t size) {
  return operator new(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return operator new(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  return operator new(size, std::nothrow);
}
void operator delete[](void* block) noexcept {
  operator delete(block);
}
void operator delete[](void* block, size_t) noexcept {
  operator delete(block);
}
