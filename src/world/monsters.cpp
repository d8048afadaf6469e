// The four monsters: each keeps a post beyond one edge of the world, walks
// back to it when it finds itself inside, chases a player who crosses its
// line, and eats.
#include "world/world.h"

#include <algorithm>

#include "actors/actors.h"
#include "shell/shell.h"
#include "sound/sound.h"

namespace {

constexpr int32_t kStanding = 42;
constexpr int32_t kJumping = 43;
constexpr int32_t kMealFirst = 50;
constexpr int32_t kMealLast = 55;

struct Post {
  bool (*atPost)(const PlacedObject*);
  int16_t backX, backY;  // the walk back to the post
  bool (*beyondEdge)(const Actor*);
};

const Post& postOf(int32_t kind) {
  static const Post kPosts[4] = {
      // top
      {[](const PlacedObject* m) { return m->y <= -2000; }, 0, -10,
       [](const Actor* p) { return p->y < -2000; }},
      // bottom
      {[](const PlacedObject* m) { return m->y >= 32000; }, 0, 26,
       [](const Actor* p) { return p->y > 32000; }},
      // left
      {[](const PlacedObject* m) { return m->x <= -16000; }, -16, 0,
       [](const Actor* p) { return p->x < -16000; }},
      // right
      {[](const PlacedObject* m) { return m->x >= 16000; }, 16, 0,
       [](const Actor* p) { return p->x > 16000; }},
  };
  return kPosts[kind - KIND_MONSTER_TOP];
}

int32_t nextMealState(int32_t state, int32_t elapsed) {
  switch (state) {
    case 50:
      return 51;
    case 51:
      return elapsed < 500 ? 50 : 52;
    case 52:
      return elapsed > 700 ? 53 : 52;
    case 53:
      return elapsed > 1000 ? 54 : 53;
    case 54:
      return 55;
    default:  // 55
      return elapsed < 3000 ? 54 : kStanding;
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
  playSound(9);
}

int32_t walkingState(int32_t previous, int16_t vx, int16_t vy) {
  if (vy < 0) return previous == 48 ? 49 : 48;
  if (vx < 0) return previous == 44 ? 45 : 44;
  return previous == 46 ? 47 : 46;
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

  if (entryState >= kMealFirst && entryState <= kMealLast) {
    // Taken modulo 2^32, so a meal that spans the wrap of the tick count
    // still lasts its three seconds.
    const int32_t elapsed = static_cast<int32_t>(world.now - static_cast<DWORD>(monster->stamp));
    monster->state = nextMealState(entryState, elapsed);
    return;
  }

  const Post& post = postOf(monster->kind);
  int16_t vx = 0;
  int16_t vy = 0;
  if (!post.atPost(monster)) {
    vx = post.backX;
    vy = post.backY;
  } else if (world.player != nullptr && post.beyondEdge(world.player)) {
    chase(monster, world.player, &vx, &vy);
  }

  // Moving monsters go in small hops.
  if (vx != 0 || vy != 0) monster->dz = 1;
  monster->dx = vx;
  monster->dy = vy;

  if (vx != 0 || vy != 0) {
    monster->state = walkingState(entryState, vx, vy);
  } else if (randomBelow(10) != 0) {
    monster->state = kStanding;
  } else {
    monster->state = kJumping;
    monster->dz = 4;
  }
}
