// Creating actors and changing them. A record whose image is on screen is
// never changed in place: makeGhost first splits off an erase-copy that keeps
// the old image until the next repaint has erased it.
#include "actors/actors.h"
#include "display/display.h"
#include "shell/shell.h"

Actor* makeGhost(Actor* actor) {
  if (!GAME_CHECK(actor != nullptr)) return actor;
  // A record with no image on screen is reported but still split: its copy
  // has nothing to erase and the next repaint retires it.
  GAME_CHECK(actor->flags & ACTOR_DRAWN);
  Actor* copy = copyActor(actor, true);
  actor->ghost = copy;
  if (copy != nullptr) {
    copy->ghost = actor;
    copy->flags |= ACTOR_GHOST;
    actor->flags &= ~ACTOR_DRAWN;
  }
  return actor;
}

Actor* lastDrawn(Actor* actor) {
  if (!GAME_CHECK(actor != nullptr)) return actor;
  return actor->ghost != nullptr ? actor->ghost : actor;
}

Actor* setActorSprite(Actor* actor, uint16_t spriteIndex) {
  if (!GAME_CHECK(actor != nullptr)) return actor;
  if (!GAME_CHECK(spriteIndex <= kLastSpriteId)) return actor;
  if (actor->spriteIndex == spriteIndex) return actor;

  world.spriteAreaSum -= actor->sprite->area;
  if (actor->flags & ACTOR_DRAWN) makeGhost(actor);
  actor->spriteIndex = spriteIndex;
  actor->sprite = &world.sprites[spriteIndex];
  world.spriteAreaSum += actor->sprite->area;
  actor->flags &= ~ACTOR_RECT_VALID;
  actor->flags |= ACTOR_CHANGED;
  // Mogul fields and yellow snow lie flat on the snow and sort by their top.
  if (spriteIndex == SPRITE_MOGULS || spriteIndex == SPRITE_YELLOW_SNOW) {
    actor->flags |= ACTOR_FLAT;
  } else {
    actor->flags &= ~ACTOR_FLAT;
  }
  return actor;
}

Actor* setActorState(Actor* actor, int32_t state) {
  if (!GAME_CHECK(actor != nullptr)) return actor;
  if (!GAME_CHECK(state >= 0 && state < kStateCount && state != STATE_NONE)) return actor;
  if (actor->state == state) return actor;
  setActorSprite(actor, StateSprite[state]);
  // Stored after the sprite change, so the erase-copy keeps the old state.
  actor->state = state;
  return actor;
}

Actor* setActorPosition(Actor* actor, int16_t x, int16_t y, int16_t z) {
  if (!GAME_CHECK(actor != nullptr)) return actor;
  const bool moved = x != actor->x || y != actor->y;
  const bool lifted = z != actor->z;
  const bool camera = actor == world.cameraActor;

  // The view follows the camera before the actor itself changes.
  if (camera && moved) scrollView(x, y);
  if (!moved && !lifted) return actor;

  const bool wasValid = (actor->flags & ACTOR_RECT_VALID) != 0;
  if (actor->flags & ACTOR_DRAWN) makeGhost(actor);
  actor->x = x;
  actor->y = y;
  actor->z = z;
  actor->flags &= ~ACTOR_RECT_VALID;
  actor->flags |= ACTOR_CHANGED;
  // The camera stays at the anchor while the view follows it, so its cached
  // rectangle is still right unless its height changed.
  if (wasValid && camera && !lifted) actor->flags |= ACTOR_RECT_VALID;
  return actor;
}

Actor* createActor(int32_t kind, int32_t state) {
  Actor* actor = newBlankActor();
  if (actor == nullptr) return nullptr;
  // An unknown kind stays KIND_NONE, which no pass gives behaviour to.
  if (GAME_CHECK(kind >= KIND_PLAYER && kind <= KIND_SCENERY)) actor->kind = kind;
  return setActorState(actor, state);
}

Actor* createActorWithSprite(int32_t kind, uint16_t spriteIndex) {
  Actor* actor = newBlankActor();
  if (actor == nullptr) return nullptr;
  if (GAME_CHECK(kind >= KIND_PLAYER && kind <= KIND_SCENERY)) actor->kind = kind;
  return setActorSprite(actor, spriteIndex);
}
