// Snowboarders carve from side to side, fly off bumps and tumble.
#include "world/behaviour_steps.h"

#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"

void updateBoarder(Actor* boarder) {
  moveActor(boarder);
  if (!GAME_CHECK(boarder->state >= STATE_BOARDER_CARVE_LEFT &&
                  boarder->state <= STATE_BOARDER_TUMBLE_5))
    return;
  applyMotionRule(boarder, &BoarderMotionRules[boarder->state - STATE_BOARDER_CARVE_LEFT]);

  int32_t newState = boarder->state;
  switch (boarder->state) {
    case STATE_BOARDER_CARVE_LEFT:
      if (randomBelow(10) == 0) newState = STATE_BOARDER_CARVE_RIGHT;
      break;
    case STATE_BOARDER_CARVE_RIGHT:
      if (randomBelow(10) == 0) newState = STATE_BOARDER_CARVE_LEFT;
      break;
    case STATE_BOARDER_AIR:
      if (boarder->z == 0) newState = STATE_BOARDER_CARVE_RIGHT;
      break;
    case STATE_BOARDER_TUMBLE_5:
      newState = STATE_BOARDER_CARVE_RIGHT;  // the tumble is over; carve on to the right
      break;
    default:
      newState = boarder->state + 1;  // the next tumbling frame
      break;
  }
  setActorState(boarder, newState);
}
