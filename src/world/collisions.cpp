// The reaction of one actor to touching another.
#include "world/world.h"

#include "actors/actors.h"
#include "scoring/scoring.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "world/collision_rules.h"

namespace {

int sign(int16_t v) {
  return (v > 0) - (v < 0);
}

bool crossedSincePaint(Actor* a, Actor* b) {
  const Actor* aShown = lastDrawn(a);
  const Actor* bShown = lastDrawn(b);
  return sign(static_cast<int16_t>(a->y - b->y)) !=
         sign(static_cast<int16_t>(aShown->y - bShown->y));
}

int16_t topOf(const Actor* actor) {
  return static_cast<int16_t>(actor->z + actor->sprite->height);
}

}  // namespace

void launch(Actor* a, int16_t v) {
  a->dz = v;
  addStyle(1);
  playSound(SOUND_LAUNCH);
}

void discardActor(Actor* b) {
  // The erase-copy keeps the old image until the next repaint takes it away.
  if (b->flags & ACTOR_DRAWN) makeGhost(b);
  removeActor(b);
}

void collide(Actor* a, Actor* b) {
  if (!GAME_CHECK(a != nullptr) || !GAME_CHECK(b != nullptr)) return;
  if (a->kind >= KIND_MOGULS && a->kind <= KIND_SCENERY) return;  // scenery never reacts

  const Contact contact{a, b, crossedSincePaint(a, b), topOf(a), topOf(b)};
  int32_t newState = a->state;
  switch (a->kind) {
    case KIND_PLAYER:
      newState = playerReaction(contact);
      break;
    case KIND_RACER:
      newState = racerReaction(contact);
      break;
    case KIND_DOG:
      newState = dogReaction(contact);
      break;
    case KIND_BOARDER:
      newState = boarderReaction(contact);
      break;
    case KIND_LIFT_CHAIR:
    case KIND_BURNING_TREE:
      break;
    case KIND_MONSTER_TOP:
    case KIND_MONSTER_BOTTOM:
    case KIND_MONSTER_LEFT:
    case KIND_MONSTER_RIGHT:
      newState = monsterReaction(contact);
      break;
    case KIND_WALKING_TREE:
      a->dx = 0;  // startled into standing still
      newState = STATE_WALKING_TREE_STAND;
      break;
    default:
      GAME_CHECK(false);
      return;  // no state to give an actor of unknown kind
  }
  setActorState(a, newState);
}
