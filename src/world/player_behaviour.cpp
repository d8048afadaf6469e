// The player's figure: moving, landing, running down a crash, style in the
// air and handing each move to the course checks.
#include "world/behaviour_steps.h"

#include "actors/actors.h"
#include "scoring/scoring.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "world/world.h"

// The state after touching down, by the airborne state: feet first from the
// three upright poses, a crash from any other.
const std::array<int32_t, kAirborneStateCount> LandingState = std::to_array<int32_t>(
    {STATE_PLAYER_STRAIGHT, STATE_PLAYER_LEFT_ACROSS, STATE_PLAYER_RIGHT_ACROSS,
     STATE_PLAYER_CRASHED, STATE_PLAYER_CRASHED, STATE_PLAYER_CRASHED, STATE_PLAYER_CRASHED,
     STATE_PLAYER_CRASHED, STATE_PLAYER_CRASHED});

namespace {

constexpr int32_t kFirstAirborne = STATE_PLAYER_AIR_SPREAD;
constexpr int32_t kLastAirborne = STATE_PLAYER_TRICK_TUCK_RIGHT;

int16_t towardZero(int16_t v) {
  if (v > 0) return static_cast<int16_t>(v - 1);
  if (v < 0) return static_cast<int16_t>(v + 1);
  return 0;
}

int32_t stateAfterLanding(int32_t airborne) {
  if (!GAME_CHECK(airborne >= kFirstAirborne && airborne <= kLastAirborne)) return airborne;
  const int32_t landed = LandingState[airborne - kFirstAirborne];
  if (landed != STATE_PLAYER_CRASHED) {
    playSound(SOUND_LANDING);
  } else if (airborne == STATE_PLAYER_TUMBLE) {
    // Coming down out of a tumble hurts; a botched trick just ends in the snow.
    addStyle(-64);
    playSound(SOUND_CRASH);
  }
  return landed;
}

int32_t airStyle(int32_t state) {
  switch (state) {
    case STATE_PLAYER_AIR_UPHILL:
      return 2;
    case STATE_PLAYER_TRICK_UPSIDE_DOWN:
    case STATE_PLAYER_TRICK_FLIP:
      return 4;
    case STATE_PLAYER_TRICK_TUCK_LEFT:
    case STATE_PLAYER_TRICK_TUCK_RIGHT:
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

  if (player->state == STATE_PLAYER_CRASHED) {
    // The figure lies where it fell while its speed runs out.
    GAME_CHECK(player->z == 0 && player->dz == 0);
    if (player->dx == 0 && player->dy == 0) newState = STATE_PLAYER_SEATED;
    player->dx = towardZero(player->dx);
    player->dy = towardZero(player->dy);
  } else {
    moveActor(player);
    if (!GAME_CHECK(player->state >= 0 && player->state < kPlayerStateCount)) return;
    applyMotionRule(player, &PlayerMotionRules[player->state]);
    const int32_t state = player->state;
    // A side-step or a hop lasts one step, then the figure stands across.
    if (state == STATE_PLAYER_STEP_LEFT || state == STATE_PLAYER_HOP_LEFT) {
      newState = STATE_PLAYER_LEFT_ACROSS;
    } else if (state == STATE_PLAYER_STEP_RIGHT || state == STATE_PLAYER_HOP_RIGHT) {
      newState = STATE_PLAYER_RIGHT_ACROSS;
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
