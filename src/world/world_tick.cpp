// One step of the slope: behaviours, culling, placed objects, collisions and
// the spawning at the edges the view moved toward.
#include "world/world.h"

#include "actors/actors.h"
#include "display/display.h"
#include "shell/shell.h"

namespace {

constexpr int16_t kSpawnSpacing = 60;
constexpr int16_t kBoarderOdds = 666;

// Drawn records leave the screen by being split; their live half goes later.
void cullIfOutOfView(Actor* actor) {
  if (actor->flags & ACTOR_DRAWN) return;
  if (actor == world.player) return;
  if (rectsIntersect(currentScreenRect(actor), &world.activeRect)) return;
  world.spriteAreaSum -= actor->sprite->area;
  removeActor(actor);
}

// Each actor is culled right after its own step, before the next one moves.
void updateAndCull() {
  for (Actor* actor = world.activeList; actor != nullptr; actor = actor->next) {
    if (actor->flags & (ACTOR_GHOST | ACTOR_DEAD)) continue;
    actor->flags &= ~ACTOR_CHANGED;
    if (actor->placed == nullptr && actor->kind < KIND_MOGULS) updateActor(actor);
    cullIfOutOfView(actor);
  }
}

void collidePairs() {
  for (Actor* q = world.activeList; q != nullptr; q = q->next) {
    if (q->flags & ACTOR_GHOST) continue;
    const RECT qRect = *currentScreenRect(q);
    const bool qChanged = (q->flags & ACTOR_CHANGED) != 0;
    for (Actor* r = world.activeList; r != q && r != nullptr; r = r->next) {
      if (r->flags & ACTOR_GHOST) continue;
      // Still scenery against still scenery costs only this test.
      if (!qChanged && !(r->flags & ACTOR_CHANGED)) continue;
      if (!rectsIntersect(&qRect, currentScreenRect(r))) continue;
      collide(q, r);
      if (!(q->flags & ACTOR_DEAD) && !(r->flags & ACTOR_DEAD)) collide(r, q);
    }
  }
}

void spawnForTravel() {
  while (world.viewTravelY > kSpawnSpacing) {
    spawnAtEdge(EDGE_BOTTOM);
    world.viewTravelY = static_cast<int16_t>(world.viewTravelY - kSpawnSpacing);
  }
  while (world.viewTravelY < -kSpawnSpacing) {
    spawnAtEdge(EDGE_TOP);
    world.viewTravelY = static_cast<int16_t>(world.viewTravelY + kSpawnSpacing);
  }
  while (world.viewTravelX > kSpawnSpacing) {
    spawnAtEdge(EDGE_RIGHT);
    world.viewTravelX = static_cast<int16_t>(world.viewTravelX - kSpawnSpacing);
  }
  while (world.viewTravelX < -kSpawnSpacing) {
    spawnAtEdge(EDGE_LEFT);
    world.viewTravelX = static_cast<int16_t>(world.viewTravelX + kSpawnSpacing);
  }
}

}  // namespace

void worldTick() {
  // The counters take the view's movement during this tick: subtract where
  // it starts, add where it ends.
  world.viewTravelX = static_cast<int16_t>(world.viewTravelX - world.viewX);
  world.viewTravelY = static_cast<int16_t>(world.viewTravelY - world.viewY);

  updateAndCull();

  streamPlacedList(&world.slalomList);
  streamPlacedList(&world.treeSlalomList);
  streamPlacedList(&world.freestyleList);
  streamPlacedList(&world.liftTowerList);
  advanceMovingObjects(&world.movingList);

  freeDeadActors();
  collidePairs();

  world.viewTravelY = static_cast<int16_t>(world.viewTravelY + world.viewY);
  world.viewTravelX = static_cast<int16_t>(world.viewTravelX + world.viewX);
  spawnForTravel();

  // Now and then a boarder comes down from the top, however crowded it is.
  if (randomBelow(kBoarderOdds) == 0)
    placeAtEdge(createActor(KIND_BOARDER, STATE_BOARDER_CARVE_LEFT), EDGE_TOP);
}
