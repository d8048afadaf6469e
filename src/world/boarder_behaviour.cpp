// Snowboarders carve from side to side, fly off bumps and tumble.
#include "world/behaviour_steps.h"

#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"

void updateBoarder(Actor* boarder) {
  moveActor(boarder);
  if (!GAME_CHECK(boarder->state >= 31 && boarder->state <= 38)) return;
  applyMotionRule(boarder, &BoarderMotionRules[boarder->state - 31]);

  int32_t newState = boarder->state;
  switch (boarder->state) {
    case 31:
      if (randomBelow(10) == 0) newState = 32;
      break;
    case 32:
      if (randomBelow(10) == 0) newState = 31;
      break;
    case 33:
      if (boarder->z == 0) newState = 32;
      break;
    case 38:
      newState = 32;  // the tumble is over; carve on to the right
      break;
    default:
      newState = boarder->state + 1;  // the next tumbling frame
      break;
  }
  setActorState(boarder, newState);
}
