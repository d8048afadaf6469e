// The speeds each state of a self-propelled figure tends to, and the one-step
// nudge of a figure's velocity toward them.
#include "world/world.h"

#include <algorithm>

#include "shell/shell.h"

// forwardAccel, forwardTarget, sideAccel, sideRatio, sideDir, state. Each
// table is sized by its rows (std::to_array): a missing row fails to compile.
const std::array<MotionRule, kPlayerStateCount> PlayerMotionRules = std::to_array<MotionRule>({
    {1, 16, 0, 0, 0, STATE_PLAYER_STRAIGHT},
    {1, 12, 1, 1, -1, STATE_PLAYER_LEFT_SLIGHT},
    {1, 6, 1, 4, -1, STATE_PLAYER_LEFT_TURN},
    {1, 0, 1, 8, -1, STATE_PLAYER_LEFT_ACROSS},
    {1, 12, 1, 1, 1, STATE_PLAYER_RIGHT_SLIGHT},
    {1, 6, 1, 4, 1, STATE_PLAYER_RIGHT_TURN},
    {1, 0, 1, 8, 1, STATE_PLAYER_RIGHT_ACROSS},
    {1, 0, 1, 8, -1, STATE_PLAYER_STEP_LEFT},
    {1, 0, 1, 8, 1, STATE_PLAYER_STEP_RIGHT},
    {1, 0, 0, 0, 0, STATE_PLAYER_HOP_LEFT},
    {1, 0, 0, 0, 0, STATE_PLAYER_HOP_RIGHT},
    {0, 0, 0, 0, 0, STATE_PLAYER_CRASHED},  // never applied
    {0, 0, 0, 0, 0, STATE_PLAYER_SEATED},
    {1, 24, 0, 0, 0, STATE_PLAYER_AIR_SPREAD},
    {1, 22, 0, 0, 0, STATE_PLAYER_AIR_LEFT},
    {1, 22, 0, 0, 0, STATE_PLAYER_AIR_RIGHT},
    {1, 20, 0, 0, 0, STATE_PLAYER_AIR_UPHILL},
    {1, 24, 0, 0, 0, STATE_PLAYER_TUMBLE},
    {1, 20, 0, 0, 0, STATE_PLAYER_TRICK_UPSIDE_DOWN},
    {1, 20, 0, 0, 0, STATE_PLAYER_TRICK_FLIP},
    {1, 22, 0, 0, 0, STATE_PLAYER_TRICK_TUCK_LEFT},
    {1, 22, 0, 0, 0, STATE_PLAYER_TRICK_TUCK_RIGHT},
});

const std::array<MotionRule, kRacerStateCount> RacerMotionRules = std::to_array<MotionRule>({
    {1, 1, 0, 0, 0, STATE_RACER_STRAIGHT},
    {1, 1, 1, 4, -1, STATE_RACER_SLIDE_LEFT},
    {1, 1, 1, 4, 1, STATE_RACER_SLIDE_RIGHT},
    {0, 0, 0, 0, 0, STATE_RACER_FALLEN},   // never applied
    {0, 0, 0, 0, 0, STATE_RACER_TUMBLED},  // never applied
});

const std::array<MotionRule, kBoarderStateCount> BoarderMotionRules = std::to_array<MotionRule>({
    {2, 18, 2, 1, -1, STATE_BOARDER_CARVE_LEFT},
    {2, 18, 2, 1, 1, STATE_BOARDER_CARVE_RIGHT},
    {1, 22, 0, 0, 0, STATE_BOARDER_AIR},
    {1, 4, 0, 0, 0, STATE_BOARDER_TUMBLE_1},
    {1, 4, 0, 0, 0, STATE_BOARDER_TUMBLE_2},
    {1, 4, 0, 0, 0, STATE_BOARDER_TUMBLE_3},
    {1, 4, 0, 0, 0, STATE_BOARDER_TUMBLE_4},
    {1, 4, 0, 0, 0, STATE_BOARDER_TUMBLE_5},
});

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
