// The player's figure: moving, landing, running down a crash, style in the
// air and handing each move to the course checks.
#include "world/behaviour_steps.h"

#include "actors/actors.h"
#include "scoring/scoring.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "world/world.h"

// The state after touching down, by the airborne state 13..21.
const int32_t LandingState[9] = {0, 3, 6, 11, 11, 11, 11, 11, 11};

namespace {

constexpr int32_t kCrashed = 11;
constexpr int32_t kSeated = 12;
constexpr int32_t kFirstAirborne = 13;
constexpr int32_t kTumble = 17;
constexpr int32_t kLastAirborne = 21;

int16_t towardZero(int16_t v) {
  if (v > 0) return static_cast<int16_t>(v - 1);
  if (v < 0) return static_cast<int16_t>(v + 1);
  return 0;
}

int32_t stateAfterLanding(int32_t airborne) {
  if (!GAME_CHECK(airborne >= kFirstAirborne && airborne <= kLastAirborne)) return airborne;
  const int32_t landed = LandingState[airborne - kFirstAirborne];
  if (landed == 0 || landed == 3 || landed == 6) {
    playSound(4);
  } else if (airborne == kTumble) {
    // Coming down out of a tumble hurts; a botched trick just ends in the snow.
    addStyle(-64);
    playSound(1);
  }
  return landed;
}

int32_t airStyle(int32_t state) {
  switch (state) {
    case 16:
      return 2;
    case 18:
    case 19:
      return 4;
    case 20:
    case 21:
      return 8;
    default:
      return 0;
  }
}

}  // namespace

void updatePlayer(Actor* player) {
  const int16_t oldX = player->x;
  const int16_t oldY = player->y;
  int32_t newState = player->state;

  if (player->state == kCrashed) {
    // The figure lies where it fell while its speed runs out.
    GAME_CHECK(player->z == 0 && player->dz == 0);
    if (player->dx == 0 && player->dy == 0) newState = kSeated;
    player->dx = towardZero(player->dx);
    player->dy = towardZero(player->dy);
  } else {
    moveActor(player);
    if (!GAME_CHECK(player->state >= 0 && player->state < 22)) return;
    applyMotionRule(player, &PlayerMotionRules[player->state]);
    const int32_t state = player->state;
    if (state == 7 || state == 9) {
      newState = 3;
    } else if (state == 8 || state == 10) {
      newState = 6;
    } else if (state >= kFirstAirborne && state <= kLastAirborne && player->z == 0) {
      newState = stateAfterLanding(state);
    }
  }

  setActorState(player, newState);
  const int32_t style = airStyle(newState);
  if (style != 0) addStyle(style);

  checkSlalom(player, oldX, oldY);
  checkFreestyle(player, oldX, oldY);
  checkTreeSlalom(player, oldX, oldY);
}
