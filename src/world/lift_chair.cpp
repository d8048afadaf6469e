// Chairs ride a closed loop: up the right-hand line with two riders, down
// the left-hand line empty. Near the view a rider may drop off.
#include "world/world.h"

#include "actors/actors.h"
#include "shell/shell.h"

void stepLiftChair(PlacedObject* chair) {
  if (!GAME_CHECK(chair != nullptr && chair->kind == KIND_LIFT_CHAIR)) return;
  if (chair->y <= kLiftTopY) {
    chair->state = STATE_CHAIR_EMPTY;
    chair->dy = 2;
    chair->x = kLiftDownX;
    return;
  }
  if (chair->y >= kLiftBottomY) {
    chair->state = STATE_CHAIR_TWO_RIDERS;
    chair->dy = -2;
    chair->x = kLiftUpX;
    return;
  }
  // Only a chair in sight can lose a rider, so far chairs draw no numbers.
  if (chair->actor == nullptr || chair->state != STATE_CHAIR_TWO_RIDERS) return;
  if (randomBelow(1000) != 0) return;
  if (Actor* boarder = createActor(KIND_BOARDER, STATE_BOARDER_AIR)) {
    setActorPosition(boarder, chair->x, chair->y, chair->z);
  }
  chair->state = STATE_CHAIR_ONE_RIDER;
}
