// A state chosen by input shows at once, but at most once between ticks.
#include "control/control.h"

#include "actors/actors.h"
#include "display/display.h"

void applyInputState(int32_t newState) {
  Actor* player = world.player;
  if (player == nullptr || newState == player->state) return;
  setActorState(player, newState);
  if (world.inputRepaintAllowed) {
    repaint(world.mainDc, &world.clientRect);
    world.inputRepaintAllowed = false;
  }
}
