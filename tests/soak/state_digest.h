// A running digest of the game's state, tick after tick, so two builds of the
// soak (native and WebAssembly) can show they played the very same games.
#pragma once

#include <cstdint>

class StateDigest {
 public:
  // Folds in the game's state as it stands now.
  void add();
  uint32_t value() const { return hash_; }

 private:
  void fold(int64_t value);
  uint32_t hash_ = 2166136261u;  // FNV-1a
};
