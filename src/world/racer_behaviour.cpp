// Other racers: drift down the slope, now and then changing their line.
#include "world/behaviour_steps.h"

#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"

void updateRacer(Actor* racer) {
  // A fallen racer stays down for good.
  if (racer->state == STATE_RACER_FALLEN || racer->state == STATE_RACER_TUMBLED) return;

  moveActor(racer);
  if (!GAME_CHECK(racer->state >= STATE_RACER_STRAIGHT && racer->state <= STATE_RACER_TUMBLED))
    return;
  applyMotionRule(racer, &RacerMotionRules[racer->state - STATE_RACER_STRAIGHT]);

  int32_t newState = racer->state;
  // Now and then a new line: straight, sliding left or sliding right.
  if (randomBelow(12) == 0) newState = STATE_RACER_STRAIGHT + randomBelow(3);
  setActorState(racer, newState);
}
