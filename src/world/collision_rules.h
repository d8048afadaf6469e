// What collide works out once per call, and the per-kind reactions it
// dispatches to. Each reaction returns a's new state.
#pragma once

#include "shell/world_state.h"

struct Contact {
  Actor* a;
  Actor* b;
  bool crossed;  // their vertical order changed since they were last painted
  int16_t aTop;  // height of a's top above the snow
  int16_t bTop;
};

// v / 2, truncated toward zero.
inline int16_t half(int16_t v) {
  return static_cast<int16_t>(v / 2);
}

int32_t playerReaction(const Contact& c);
int32_t racerReaction(const Contact& c);
int32_t dogReaction(const Contact& c);
int32_t boarderReaction(const Contact& c);
int32_t monsterReaction(const Contact& c);
