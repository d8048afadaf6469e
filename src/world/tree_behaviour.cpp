// Burning trees flicker in place; walking trees stand, set off and stop.
#include "world/behaviour_steps.h"

#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"

void updateBurningTree(Actor* tree) {
  if (!GAME_CHECK(tree->state >= STATE_BURNING_TREE_1 && tree->state <= STATE_BURNING_TREE_4))
    return;
  setActorState(tree, tree->state == STATE_BURNING_TREE_4 ? STATE_BURNING_TREE_1 : tree->state + 1);
}

void updateWalkingTree(Actor* tree) {
  if (!GAME_CHECK(tree->state >= STATE_WALKING_TREE_STAND &&
                  tree->state <= STATE_WALKING_TREE_RIGHT))
    return;
  int32_t newState = tree->state;
  switch (tree->state) {
    case STATE_WALKING_TREE_STAND: {
      GAME_CHECK(tree->dx == 0);
      const int32_t r = randomBelow(100);
      if (r == 0) {
        tree->dx = static_cast<int16_t>(2 * randomBelow(2) - 1);
        newState = STATE_WALKING_TREE_WALK;
      }
      moveActor(tree);
      break;
    }
    case STATE_WALKING_TREE_WALK: {
      GAME_CHECK(tree->dx != 0);
      const int32_t r = randomBelow(10);
      if (r != 0) {
        newState = tree->dx >= 0 ? STATE_WALKING_TREE_RIGHT : STATE_WALKING_TREE_LEFT;
      } else {
        tree->dx = 0;
        newState = STATE_WALKING_TREE_STAND;
      }
      moveActor(tree);
      break;
    }
    case STATE_WALKING_TREE_LEFT:
      GAME_CHECK(tree->dx < 0);
      moveActor(tree);
      newState = STATE_WALKING_TREE_WALK;
      break;
    default:  // STATE_WALKING_TREE_RIGHT
      GAME_CHECK(tree->dx > 0);
      moveActor(tree);
      newState = STATE_WALKING_TREE_WALK;
      break;
  }
  setActorState(tree, newState);
}
