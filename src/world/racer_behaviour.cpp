// Other racers: drift down the slope, now and then changing their line.
#include "world/behaviour_steps.h"

#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"

void updateRacer(Actor* racer) {
  // A fallen racer stays down for good.
  if (racer->state == 25 || racer->state == 26) return;

  moveActor(racer);
  if (!GAME_CHECK(racer->state >= 22 && racer->state <= 26)) return;
  applyMotionRule(racer, &RacerMotionRules[racer->state - 22]);

  int32_t newState = racer->state;
  if (randomBelow(12) == 0) newState = 22 + randomBelow(3);
  setActorState(racer, newState);
}
