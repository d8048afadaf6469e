#include "support/world_snapshot.h"

#include <cstring>

namespace testsupport {

WorldSnapshot::WorldSnapshot() : saved_(world) {
  std::memcpy(pool_.data(), world.actorPool, sizeof(Actor) * kActorPoolSize);
}

WorldSnapshot::~WorldSnapshot() {
  const int16_t scratchWidth = world.scratchWidth, scratchHeight = world.scratchHeight;
  HBITMAP scratchInitial = world.scratchInitial;
  std::memcpy(world.actorPool, pool_.data(), sizeof(Actor) * kActorPoolSize);
  world = saved_;
  world.scratchWidth = scratchWidth;
  world.scratchHeight = scratchHeight;
  world.scratchInitial = scratchInitial;
}

}  // namespace testsupport
