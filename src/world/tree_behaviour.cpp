// Burning trees flicker in place; walking trees stand, set off and stop.
#include "world/behaviour_steps.h"

#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"

void updateBurningTree(Actor* tree) {
  if (!GAME_CHECK(tree->state >= 56 && tree->state <= 59)) return;
  setActorState(tree, tree->state == 59 ? 56 : tree->state + 1);
}

void updateWalkingTree(Actor* tree) {
  if (!GAME_CHECK(tree->state >= 60 && tree->state <= 63)) return;
  int32_t newState = tree->state;
  switch (tree->state) {
    case 60: {
      GAME_CHECK(tree->dx == 0);
      const int32_t r = randomBelow(100);
      if (r == 0) {
        tree->dx = static_cast<int16_t>(2 * randomBelow(2) - 1);
        newState = 61;
      }
      moveActor(tree);
      break;
    }
    case 61: {
      GAME_CHECK(tree->dx != 0);
      const int32_t r = randomBelow(10);
      if (r != 0) {
        newState = tree->dx >= 0 ? 63 : 62;
      } else {
        tree->dx = 0;
        newState = 60;
      }
      moveActor(tree);
      break;
    }
    case 62:
      GAME_CHECK(tree->dx < 0);
      moveActor(tree);
      newState = 61;
      break;
    default:  // 63
      GAME_CHECK(tree->dx > 0);
      moveActor(tree);
      newState = 61;
      break;
  }
  setActorState(tree, newState);
}
