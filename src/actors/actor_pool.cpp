// Taking records from the pool, copying them, and returning the dead ones.
#include "actors/actors.h"
#include "shell/shell.h"

namespace {

// Every new record starts as a copy of this one.
Actor blankActor = {
    nullptr,      nullptr, nullptr, nullptr, 0, nullptr, KIND_NONE, kNoState, {0, 0, 0, 0},
    {0, 0, 0, 0}, 0,       0,       0,       0, 0,       0,         0};

}  // namespace

Actor* copyActor(Actor* source, bool linkAfterSource) {
  if (!GAME_CHECK(source != nullptr)) return nullptr;
  if (!GAME_CHECK(world.freeList != nullptr)) return nullptr;

  Actor* record = world.freeList;
  world.freeList = record->next;

  *record = *source;
  record->placed = nullptr;

  if (linkAfterSource) {
    record->next = source->next;
    source->next = record;
  } else {
    record->next = world.activeList;
    world.activeList = record;
  }
  return record;
}

Actor* newBlankActor() {
  // The sprite table only exists once the tables are allocated.
  blankActor.sprite = world.sprites;
  return copyActor(&blankActor, false);
}

void removeActor(Actor* actor) {
  if (!GAME_CHECK(actor != nullptr)) return;
  // An image on screen must be split off (makeGhost) before its record goes.
  if (actor->flags & ACTOR_DRAWN) return;
  Actor* partner = actor->ghost;
  // Only unlink a partner that still points back here, so a stale link from
  // an older copy cannot cut a newer pairing.
  if (partner != nullptr && partner->ghost == actor) partner->ghost = nullptr;
  actor->flags |= ACTOR_DEAD;
}

namespace {

// Nothing may point at a record once it is back in the pool.
void forgetLinksTo(Actor* actor) {
  if (actor->placed != nullptr) {
    GAME_CHECK(actor->placed->actor == actor);
    actor->placed->actor = nullptr;
  }
  if (actor == world.player) world.player = nullptr;
  if (actor == world.cameraActor) world.cameraActor = nullptr;
}

}  // namespace

void freeDeadActors() {
  Actor** link = &world.activeList;
  while (*link != nullptr) {
    Actor* actor = *link;
    if (!(actor->flags & ACTOR_DEAD)) {
      link = &actor->next;
      continue;
    }
    forgetLinksTo(actor);
    *link = actor->next;
    actor->next = world.freeList;
    world.freeList = actor;
  }
}
