// The speeds each state of a self-propelled figure tends to, and the one-step
// nudge of a figure's velocity toward them.
#include "world/world.h"

#include <algorithm>

#include "shell/shell.h"

// forwardAccel, forwardTarget, sideAccel, sideRatio, sideDir, state
const MotionRule PlayerMotionRules[22] = {
    {1, 16, 0, 0, 0, 0},   // heading straight downhill
    {1, 12, 1, 1, -1, 1},  // turned slightly left
    {1, 6, 1, 4, -1, 2},   // turned further left
    {1, 0, 1, 8, -1, 3},   // across the slope, facing left
    {1, 12, 1, 1, 1, 4},   // turned slightly right
    {1, 6, 1, 4, 1, 5},    // turned further right
    {1, 0, 1, 8, 1, 6},    // across the slope, facing right
    {1, 0, 1, 8, -1, 7},   // side-stepping left
    {1, 0, 1, 8, 1, 8},    // side-stepping right
    {1, 0, 0, 0, 0, 9},    // hopping uphill, facing left
    {1, 0, 0, 0, 0, 10},   // hopping uphill, facing right
    {0, 0, 0, 0, 0, 11},   // crashed (never applied)
    {0, 0, 0, 0, 0, 12},   // seated in the snow
    {1, 24, 0, 0, 0, 13},  // airborne, facing downhill
    {1, 22, 0, 0, 0, 14},  // airborne, turned left
    {1, 22, 0, 0, 0, 15},  // airborne, turned right
    {1, 20, 0, 0, 0, 16},  // airborne, facing uphill
    {1, 24, 0, 0, 0, 17},  // airborne tumble
    {1, 20, 0, 0, 0, 18},  // trick poses
    {1, 20, 0, 0, 0, 19}, {1, 22, 0, 0, 0, 20}, {1, 22, 0, 0, 0, 21},
};

const MotionRule RacerMotionRules[5] = {
    {1, 1, 0, 0, 0, 22},   // heading downhill
    {1, 1, 1, 4, -1, 23},  // sliding left
    {1, 1, 1, 4, 1, 24},   // sliding right
    {0, 0, 0, 0, 0, 25},   // fallen (never applied)
    {0, 0, 0, 0, 0, 26},   // tumbled (never applied)
};

const MotionRule BoarderMotionRules[8] = {
    {2, 18, 2, 1, -1, 31},  // carving left
    {2, 18, 2, 1, 1, 32},   // carving right
    {1, 22, 0, 0, 0, 33},   // airborne
    {1, 4, 0, 0, 0, 34},    // tumbling, five frames
    {1, 4, 0, 0, 0, 35},   {1, 4, 0, 0, 0, 36}, {1, 4, 0, 0, 0, 37}, {1, 4, 0, 0, 0, 38},
};

Actor* applyMotionRule(Actor* actor, const MotionRule* rule) {
  if (!GAME_CHECK(actor != nullptr) || !GAME_CHECK(rule != nullptr)) return actor;
  GAME_CHECK(rule->state == actor->state);

  const int dx = actor->dx;
  const int dy = actor->dy;

  // A rule without a side of its own keeps the side the figure slides to.
  int side = rule->sideDir;
  if (side == 0) side = (dx > 0) - (dx < 0);

  const int lateral = side * dx;
  // The entry speed sets the target; climbing uphill gives none.
  const int lateralTarget = rule->sideRatio * std::max(dy, 0) / 2;
  // Speeds rise by the rule's own step but never fall faster than 2 a tick.
  const int newLateral = lateral > lateralTarget
                             ? std::max(lateralTarget, lateral - 2)
                             : std::min(lateralTarget, lateral + rule->sideAccel);
  const int newDy = dy > rule->forwardTarget
                        ? std::max<int>(rule->forwardTarget, dy - 2)
                        : std::min<int>(rule->forwardTarget, dy + rule->forwardAccel);

  actor->dy = static_cast<int16_t>(newDy);
  actor->dx = static_cast<int16_t>(side * newLateral);
  return actor;
}
