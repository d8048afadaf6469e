// How the player's figure reacts to what it touches: crashes, jumps,
// slow-downs and the style points of a freestyle run.
#include "world/collision_rules.h"

#include <algorithm>
#include <cstdlib>

#include "actors/actors.h"
#include "scoring/scoring.h"
#include "sound/sound.h"
#include "world/world.h"

namespace {

int32_t obstacleRule(const Contact& c) {
  Actor* a = c.a;
  Actor* b = c.b;
  // Over it or under it: no test of crossing, so this pays every pass.
  if (a->z > c.bTop || b->z > c.aTop) {
    if (b->kind == KIND_BURNING_TREE) {
      addStyle(1000);
      b->kind = KIND_TREE;  // the fire is out: a bare tree again
      setActorSprite(b, SPRITE_BARE_TREE);
    } else {
      addStyle(6);
    }
    return a->state;
  }
  if (!c.crossed) return a->state;

  // Brushing a tree's edge only slows the figure. The distance wraps like
  // the coordinates, so a tree just across the seam of the world is as near
  // as it looks.
  const int16_t apart = static_cast<int16_t>(a->x - b->x);
  if (b->kind == KIND_TREE &&
      std::abs(apart) > half(std::max(a->sprite->width, b->sprite->width))) {
    a->dy = half(a->dy);
    return a->state;
  }

  const bool onSnow = a->z == 0 && a->dz == 0;
  const int32_t crashState = onSnow ? STATE_PLAYER_CRASHED : STATE_PLAYER_TUMBLE;
  if (!onSnow && b->spriteIndex == SPRITE_BARE_TREE) {
    b->kind = KIND_BURNING_TREE;
    setActorState(b, STATE_BURNING_TREE_1);
    addStyle(16);
    return STATE_PLAYER_TUMBLE;
  }

  if (a->dy < 0 && b->spriteIndex == SPRITE_STUMP) {
    setActorSprite(b, SPRITE_STUMP_SMALL);  // backing into a stump breaks it
  } else {
    addStyle(-32);
    playSound(SOUND_CRASH);
  }
  return crashState;
}

int32_t stoneRule(const Contact& c) {
  Actor* a = c.a;
  if (a->z <= 0) return obstacleRule(c);
  if (a->z > c.bTop) {
    if (c.b->spriteIndex == SPRITE_STUMP_SMALL) {
      discardActor(c.b);
      addStyle(100);
    }
  } else if (c.crossed) {
    launch(a, half(a->dy));  // bounced off it
  }
  return a->state;
}

}  // namespace

int32_t playerReaction(const Contact& c) {
  Actor* a = c.a;
  Actor* b = c.b;
  if (a->state == STATE_PLAYER_TUMBLE) return a->state;
  if (b->kind < KIND_RACER || b->kind > KIND_SCENERY) return a->state;

  switch (b->kind) {
    case KIND_DOG:
    case KIND_GATE:
    case KIND_SCENERY:
      if (c.crossed) a->dy = half(a->dy);
      if (b->spriteIndex == SPRITE_YELLOW_SNOW) addStyle(-16);
      return a->state;
    case KIND_MONSTER_TOP:
    case KIND_MONSTER_BOTTOM:
    case KIND_MONSTER_LEFT:
    case KIND_MONSTER_RIGHT:
      return a->state;  // the monster's own rule acts
    case KIND_MOGULS:
      if (a->state != STATE_PLAYER_STRAIGHT) return a->state;
      a->dz = 1;
      if (a->dy > 4) a->dy = half(a->dy);
      return STATE_PLAYER_AIR_SPREAD;
    case KIND_BUMP:
      if (a->z <= 0) {
        launch(a, 4);
        return STATE_PLAYER_AIR_SPREAD;
      }
      if (a->z < c.bTop) launch(a, half(a->dy));
      return a->state;
    case KIND_RAMP:
      if (c.crossed && a->z < half(c.bTop) && a->dy > 0) {
        launch(a, a->dy);
        return STATE_PLAYER_AIR_SPREAD;
      }
      return a->state;
    case KIND_STONE:
      return stoneRule(c);
    default:  // racers, boarders, chairs, trees of every sort
      return obstacleRule(c);
  }
}
