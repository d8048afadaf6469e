// Live windows behind checked handles. A handle carries its slot and that
// slot's generation, so a handle kept after DestroyWindow never reaches the
// window that reuses the slot.
#include <algorithm>
#include <cstdint>

#include "platform/user/user_state.h"

namespace {

constexpr uintptr_t kSlotBits = 12;
constexpr uintptr_t kSlotCount = uintptr_t{1} << kSlotBits;

struct Slot {
  std::unique_ptr<Window> window;
  uintptr_t generation = 1;
  uint64_t createdOrder = 0;
};

std::vector<Slot> slots;
uint64_t nextCreatedOrder = 1;

HWND makeHandle(size_t slot, uintptr_t generation) {
  return reinterpret_cast<HWND>((generation << kSlotBits) | slot);
}

}  // namespace

Window* findWindow(HWND hwnd) {
  uintptr_t value = reinterpret_cast<uintptr_t>(hwnd);
  size_t slot = value & (kSlotCount - 1);
  uintptr_t generation = value >> kSlotBits;
  if (slot >= slots.size()) return nullptr;
  Slot& s = slots[slot];
  if (!s.window || s.generation != generation) return nullptr;
  return s.window.get();
}

Window* createWindowRecord() {
  size_t slot = 0;
  while (slot < slots.size() && slots[slot].window) ++slot;
  if (slot == slots.size()) {
    if (slots.size() >= kSlotCount) return nullptr;
    slots.emplace_back();
  }
  Slot& s = slots[slot];
  s.window = std::make_unique<Window>();
  s.window->handle = makeHandle(slot, s.generation);
  s.createdOrder = nextCreatedOrder++;
  return s.window.get();
}

void freeWindowRecord(HWND hwnd) {
  if (findWindow(hwnd) == nullptr) return;
  Slot& s = slots[reinterpret_cast<uintptr_t>(hwnd) & (kSlotCount - 1)];
  s.window.reset();
  ++s.generation;
}

std::vector<HWND> allWindows() {
  std::vector<std::pair<uint64_t, HWND>> order;
  for (const Slot& s : slots)
    if (s.window) order.emplace_back(s.createdOrder, s.window->handle);
  std::sort(order.begin(), order.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<HWND> result;
  for (const auto& entry : order) result.push_back(entry.second);
  return result;
}

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> result;
  for (HWND hwnd : allWindows())
    if (findWindow(hwnd)->parent == nullptr) result.push_back(hwnd);
  return result;
}

Window* topLevelOf(Window* w) {
  while (w != nullptr && w->parent != nullptr) w = findWindow(w->parent);
  return w;
}

bool isDescendant(HWND ancestor, HWND hwnd) {
  Window* w = findWindow(hwnd);
  while (w != nullptr && w->parent != nullptr) {
    if (w->parent == ancestor) return true;
    w = findWindow(w->parent);
  }
  return false;
}

void resetUserState() {
  // Dropped without messages: the backend they lived on is going away.
  resetPaintState();
  slots.clear();
  nextCreatedOrder = 1;
  resetTimers();
  resetMessageQueue();
  resetKeyboardState();
  resetWindowClasses();
  resetActivation();
}
