// What must hold between any two ticks, however the game was played.
#pragma once

#include <string>
#include <vector>

#include "shell/world_state.h"

// Watches the actor pool from one tick to the next. check() returns an empty
// string when all is well, else what is wrong.
class WorldInvariants {
 public:
  // Call once the game has started, and again after anything that resets
  // the world outside a tick.
  void start();
  std::string check();

 private:
  struct Seen {
    const Actor* record;
    int32_t area;
  };
  std::string checkLists(int* activeCount);
  std::string checkCrowdingSum();
  void rememberLiveRecords();

  // spriteAreaSum less the areas of the live records: what collide's
  // removals left counted since the last resetWorld.
  int64_t leftCounted_ = 0;
  std::vector<Seen> live_;
};
