// How racers, dogs, boarders and monsters react to what they touch.
#include "world/collision_rules.h"

#include "actors/actors.h"
#include "scoring/scoring.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "world/world.h"

int32_t racerReaction(const Contact& c) {
  Actor* a = c.a;
  if (a->state >= STATE_RACER_FALLEN) return a->state;  // already down
  if (c.b->kind == KIND_PLAYER) addStyle(20);
  playSound(SOUND_RACER_DOWN);
  return c.b->z > 0 ? STATE_RACER_TUMBLED : STATE_RACER_FALLEN;
}

int32_t dogReaction(const Contact& c) {
  Actor* a = c.a;
  if (a->state >= STATE_DOG_BARK_1) return a->state;  // already barking
  if (c.b->dx == 0 && c.b->dy == 0) return a->state;
  if (c.b->kind == KIND_PLAYER) addStyle(3);
  playSound(SOUND_DOG_BARK);
  return STATE_DOG_BARK_1;
}

int32_t boarderReaction(const Contact& c) {
  Actor* a = c.a;
  switch (c.b->kind) {
    case KIND_PLAYER:
      addStyle(20);
      [[fallthrough]];
    case KIND_RACER:
    case KIND_BOARDER:
    case KIND_TREE:
    case KIND_STONE:
      if (a->z < c.bTop && a->state != STATE_BOARDER_TUMBLE_1) return STATE_BOARDER_TUMBLE_1;
      return a->state;
    case KIND_BUMP:
    case KIND_RAMP:
      if (a->z < c.bTop) {
        a->dz = half(a->dy);
        playSound(SOUND_BOARDER_JUMP);
        return STATE_BOARDER_AIR;
      }
      return a->state;
    default:
      return a->state;
  }
}

int32_t monsterReaction(const Contact& c) {
  Actor* a = c.a;
  Actor* b = c.b;
  if (b != world.player) return a->state;
  GAME_CHECK(b->kind == KIND_PLAYER);
  playSound(SOUND_MONSTER_CATCH);
  discardActor(b);
  if (GAME_CHECK(a->placed != nullptr)) {
    // The meal's clock runs from this moment.
    a->placed->state = STATE_MONSTER_EAT_GRAB;
    a->placed->dx = 0;
    a->placed->dy = 0;
    a->placed->stamp = static_cast<int32_t>(world.now);
  }
  a->dx = 0;
  a->dy = 0;
  return STATE_MONSTER_EAT_GRAB;
}
