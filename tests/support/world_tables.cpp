#include "support/world_tables.h"

#include "shell/world_state.h"

namespace testsupport {

void freeWorldTables() {
  if (world.stringCache != nullptr) {
    for (int id = 0; id < kStringCacheSize; ++id) LocalFree(world.stringCache[id]);
  }
  LocalFree(world.stringCache);
  LocalFree(world.sprites);
  LocalFree(world.actorPool);
  LocalFree(world.placedObjects);
  world = WorldState{};
}

}  // namespace testsupport
