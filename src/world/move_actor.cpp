// Moving an actor by its velocity, and the dispatch of the behaviour steps.
#include "world/world.h"

#include "actors/actors.h"
#include "shell/shell.h"
#include "world/behaviour_steps.h"

Actor* moveActor(Actor* actor) {
  if (!GAME_CHECK(actor != nullptr)) return actor;
  const int repeats = world.fastMode ? 2 : 1;
  int16_t x = actor->x;
  int16_t y = actor->y;
  int16_t z = actor->z;
  for (int i = 0; i < repeats; ++i) {
    x = static_cast<int16_t>(x + actor->dx);
    y = static_cast<int16_t>(y + actor->dy);
    z = static_cast<int16_t>(z + actor->dz);
  }
  // Gravity pulls once per tick, even at double speed.
  if (z > 0) {
    actor->dz = static_cast<int16_t>(actor->dz - 1);
  } else {
    actor->dz = 0;
    z = 0;
  }
  return setActorPosition(actor, x, y, z);
}

Actor* updateActor(Actor* actor) {
  if (!GAME_CHECK(actor != nullptr)) return actor;
  if (!GAME_CHECK(actor->kind <= KIND_WALKING_TREE)) return actor;
  GAME_CHECK(actor->placed == nullptr);

  switch (actor->kind) {
    case KIND_PLAYER:
      updatePlayer(actor);
      break;
    case KIND_RACER:
      updateRacer(actor);
      break;
    case KIND_DOG:
      updateDog(actor);
      break;
    case KIND_BOARDER:
      updateBoarder(actor);
      break;
    case KIND_BURNING_TREE:
      updateBurningTree(actor);
      break;
    case KIND_WALKING_TREE:
      updateWalkingTree(actor);
      break;
    default:
      // Chairs and monsters are driven through their placed objects.
      GAME_CHECK(false);
      break;
  }
  return actor;
}
