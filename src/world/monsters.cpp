// The four monsters: each keeps a post beyond one edge of the world, walks
// back to it when it finds itself inside, chases a player who crosses its
// line, and eats.
#include "world/world.h"

#include <algorithm>

#include "actors/actors.h"
#include "shell/shell.h"
#include "sound/sound.h"

namespace {

struct Post {
  bool (*atPost)(const PlacedObject*);
  int16_t backX, backY;  // the walk back to the post
  bool (*beyondEdge)(const Actor*);
};

const Post& postOf(int32_t kind) {
  // In the order of the monster kinds: top, bottom, left, right.
  static const Post kPosts[4] = {
      {[](const PlacedObject* m) { return m->y <= kWorldTopY; }, 0, -10,
       [](const Actor* p) { return p->y < kWorldTopY; }},
      {[](const PlacedObject* m) { return m->y >= kWorldBottomY; }, 0, 26,
       [](const Actor* p) { return p->y > kWorldBottomY; }},
      {[](const PlacedObject* m) { return m->x <= kWorldLeftX; }, -16, 0,
       [](const Actor* p) { return p->x < kWorldLeftX; }},
      {[](const PlacedObject* m) { return m->x >= kWorldRightX; }, 16, 0,
       [](const Actor* p) { return p->x > kWorldRightX; }},
  };
  return kPosts[kind - KIND_MONSTER_TOP];
}

int32_t nextMealState(int32_t state, int32_t elapsed) {
  switch (state) {
    case STATE_MONSTER_EAT_GRAB:
      return STATE_MONSTER_EAT_LIFT;
    case STATE_MONSTER_EAT_LIFT:
      return elapsed < 500 ? STATE_MONSTER_EAT_GRAB : STATE_MONSTER_EAT_BITE;
    case STATE_MONSTER_EAT_BITE:
      return elapsed > 700 ? STATE_MONSTER_EAT_CHEW : STATE_MONSTER_EAT_BITE;
    case STATE_MONSTER_EAT_CHEW:
      return elapsed > 1000 ? STATE_MONSTER_EAT_GULP : STATE_MONSTER_EAT_CHEW;
    case STATE_MONSTER_EAT_GULP:
      return STATE_MONSTER_EAT_PAT_BELLY;
    default:  // STATE_MONSTER_EAT_PAT_BELLY
      return elapsed < 3000 ? STATE_MONSTER_EAT_GULP : STATE_MONSTER_STAND;
  }
}

// Brings the monster to just outside the view around the player, and gives
// the velocity that closes in from there.
void chase(PlacedObject* monster, const Actor* player, int16_t* vx, int16_t* vy) {
  const int16_t ddx = static_cast<int16_t>(player->x - monster->x);
  const int16_t ddy = static_cast<int16_t>(player->y - monster->y);
  const int16_t width = world.clientWidth;
  const int16_t height = world.clientHeight;
  if (ddx > width) {
    monster->x = static_cast<int16_t>(player->x - width);
  } else if (ddx < -width) {
    monster->x = static_cast<int16_t>(player->x + width);
  }
  if (ddy > height) {
    monster->y = static_cast<int16_t>(player->y - height);
  } else if (ddy < -height) {
    monster->y = static_cast<int16_t>(player->y + height);
  }
  *vx = std::clamp<int16_t>(ddx, -16, 16);
  *vy = std::clamp<int16_t>(ddy, -10, 26);
  playSound(SOUND_MONSTER_CHASE);
}

int32_t walkingState(int32_t previous, int16_t vx, int16_t vy) {
  if (vy < 0)
    return previous == STATE_MONSTER_WALK_UP_1 ? STATE_MONSTER_WALK_UP_2 : STATE_MONSTER_WALK_UP_1;
  if (vx < 0)
    return previous == STATE_MONSTER_WALK_LEFT_1 ? STATE_MONSTER_WALK_LEFT_2
                                                 : STATE_MONSTER_WALK_LEFT_1;
  return previous == STATE_MONSTER_WALK_RIGHT_1 ? STATE_MONSTER_WALK_RIGHT_2
                                                : STATE_MONSTER_WALK_RIGHT_1;
}

// Back to the post if away from it; at the post, after a player beyond the
// edge; otherwise still.
void wantedVelocity(PlacedObject* monster, int16_t* vx, int16_t* vy) {
  const Post& post = postOf(monster->kind);
  if (!post.atPost(monster)) {
    *vx = post.backX;
    *vy = post.backY;
  } else if (world.player != nullptr && post.beyondEdge(world.player)) {
    chase(monster, world.player, vx, vy);
  }
}

// A moving monster walks; a still one stands, or now and then jumps in place.
void takeStance(PlacedObject* monster, int32_t entryState, int16_t vx, int16_t vy) {
  if (vx != 0 || vy != 0) {
    monster->state = walkingState(entryState, vx, vy);
  } else if (randomBelow(10) != 0) {
    monster->state = STATE_MONSTER_STAND;
  } else {
    monster->state = STATE_MONSTER_JUMP;
    monster->dz = 4;
  }
}

}  // namespace

void stepMonster(PlacedObject* monster) {
  if (!GAME_CHECK(monster != nullptr)) return;
  if (!GAME_CHECK(monster->kind >= KIND_MONSTER_TOP && monster->kind <= KIND_MONSTER_RIGHT)) return;
  const int32_t entryState = monster->state;

  if (monster->z > 0) {
    monster->dz = static_cast<int16_t>(monster->dz - 1);
  } else {
    monster->dz = 0;
    monster->z = 0;
  }
  // A monster makes up its mind only with its feet on the snow.
  if (monster->z != 0) return;

  if (entryState >= STATE_MONSTER_EAT_GRAB && entryState <= STATE_MONSTER_EAT_PAT_BELLY) {
    // Taken modulo 2^32, so a meal that spans the wrap of the tick count
    // still lasts its three seconds.
    const int32_t elapsed = static_cast<int32_t>(world.now - static_cast<DWORD>(monster->stamp));
    monster->state = nextMealState(entryState, elapsed);
    return;
  }

  int16_t vx = 0;
  int16_t vy = 0;
  wantedVelocity(monster, &vx, &vy);
  // Moving monsters go in small hops.
  if (vx != 0 || vy != 0) monster->dz = 1;
  monster->dx = vx;
  monster->dy = vy;
  takeStance(monster, entryState, vx, vy);
}
