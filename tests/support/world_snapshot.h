// Keeps the game's records across a full paint of the client area, which a
// check may do to compare with what the incremental repaints left on screen.
#pragma once

#include <array>

#include "shell/world_state.h"

namespace testsupport {

// Saves the world and the actor pool when made and puts them back when it
// goes. The scratch surface is the one thing a full paint may change for
// good (it may have grown), so it keeps its new size.
class WorldSnapshot {
 public:
  WorldSnapshot();
  ~WorldSnapshot();
  WorldSnapshot(const WorldSnapshot&) = delete;
  WorldSnapshot& operator=(const WorldSnapshot&) = delete;

 private:
  std::array<Actor, kActorPoolSize> pool_;
  WorldState saved_;
};

}  // namespace testsupport
