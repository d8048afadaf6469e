// Filling the slope: random obstacles and characters just beyond the edge of
// the view that the view moves toward, thinned out by how much is already
// covered.
#include "world/world.h"

#include "actors/actors.h"
#include "shell/shell.h"

namespace {

// A course area of the slope, bounds included.
struct CourseArea {
  int16_t left, right, top, bottom;
  int32_t (*choose)();
};

const CourseArea kCourseAreas[] = {
    {kSlalomSpan.left, kSlalomSpan.right, kStartLineY, kSlalomFinishY, chooseSlalomKind},
    {kTreeSlalomSpan.left, kTreeSlalomSpan.right, kStartLineY, kLongFinishY, chooseTreeSlalomKind},
    {kFreestyleSpan.left, kFreestyleSpan.right, kStartLineY, kLongFinishY, chooseFreestyleKind},
};

int32_t chooseKindAt(int16_t x, int16_t y) {
  for (const CourseArea& area : kCourseAreas) {
    if (x >= area.left && x <= area.right && y >= area.top && y <= area.bottom) {
      return area.choose();
    }
  }
  return chooseOpenKind();
}

// The more of the active area is already covered, the fewer new objects.
bool crowded(int32_t divisor) {
  return world.spriteAreaSum > world.activeArea / divisor;
}

}  // namespace

void edgePosition(int edge, int16_t* x, int16_t* y) {
  // The world position of the client area's top-left pixel.
  int16_t px = static_cast<int16_t>(world.viewX - world.anchorX);
  int16_t py = static_cast<int16_t>(world.viewY - world.anchorY);
  const RECT& client = world.clientRect;
  switch (edge) {
    case EDGE_LEFT:
    case EDGE_RIGHT:
      px = static_cast<int16_t>(px + (edge == EDGE_LEFT ? client.left - 60 : client.right + 60));
      py = static_cast<int16_t>(py + randomBelow(world.clientHeight) + client.top);
      break;
    case EDGE_TOP:
    case EDGE_BOTTOM:
      px = static_cast<int16_t>(px + randomBelow(world.clientWidth) + client.left);
      py = static_cast<int16_t>(py + (edge == EDGE_TOP ? client.top - 60 : client.bottom + 60));
      break;
    default:
      GAME_CHECK(false);
      break;
  }
  *x = px;
  *y = py;
}

Actor* placeAtEdge(Actor* actor, int edge) {
  if (actor == nullptr) return nullptr;
  int16_t x = 0;
  int16_t y = 0;
  edgePosition(edge, &x, &y);
  return setActorPosition(actor, x, y, 0);
}

Actor* spawnAtEdge(int edge) {
  int16_t x = 0;
  int16_t y = 0;
  edgePosition(edge, &x, &y);
  const int32_t kind = chooseKindAt(x, y);
  if (kind == KIND_NONE) return nullptr;

  Actor* actor = kind < KIND_MOGULS ? createActor(kind, KindDefaultState[kind])
                                    : createActorWithSprite(kind, spriteForKind(kind));
  if (actor == nullptr) return nullptr;
  return setActorPosition(actor, x, y, 0);
}

int32_t chooseOpenKind() {
  if (crowded(32)) return KIND_NONE;
  const int32_t r = randomBelow(1000);
  if (r < 50) return KIND_WALKING_TREE;
  if (r < 500) return KIND_TREE;
  if (r < 700) return KIND_BUMP;
  if (r < 750) return KIND_MOGULS;
  if (r < 950) return KIND_STONE;
  if (r < 970) return KIND_RAMP;
  if (r < 990) return KIND_RACER;
  return KIND_DOG;
}

int32_t chooseSlalomKind() {
  if (crowded(64)) return KIND_NONE;
  return KIND_MOGULS;
}

int32_t chooseTreeSlalomKind() {
  if (crowded(16)) return KIND_NONE;
  return randomBelow(64) == 0 ? KIND_DOG : KIND_TREE;
}

int32_t chooseFreestyleKind() {
  if (crowded(32)) return KIND_NONE;
  const int32_t r = randomBelow(100);
  if (r < 2) return KIND_WALKING_TREE;
  if (r < 20) return KIND_TREE;
  if (r < 50) return KIND_BUMP;
  if (r < 60) return KIND_MOGULS;
  if (r < 80) return KIND_STONE;
  return KIND_RAMP;
}

uint16_t spriteForKind(int32_t kind) {
  switch (kind) {
    case KIND_MOGULS:
      return SPRITE_MOGULS;
    case KIND_TREE: {
      const int32_t r = randomBelow(8);
      return r == 0 ? SPRITE_BARE_TREE : r == 1 ? SPRITE_BIG_TREE : SPRITE_TREE;
    }
    case KIND_STONE:
      return randomBelow(4) == 0 ? SPRITE_STUMP : SPRITE_ROCK;
    case KIND_BUMP:
      return randomBelow(3) == 0 ? SPRITE_BUMP_LARGE : SPRITE_BUMP_SMALL;
    case KIND_RAMP:
      return SPRITE_RAMP;
    default:
      GAME_CHECK(false);
      return SPRITE_TREE;
  }
}
