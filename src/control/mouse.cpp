// Steering by the cursor's place relative to the figure, and the click that
// jumps, tricks or starts a new game.
#include "control/control.h"

#include "actors/actors.h"
#include "shell/shell.h"

int32_t groundDirection(int16_t mx, int16_t my) {
  // At or above the figure the cursor turns it across the slope.
  const int32_t across = mx >= 0 ? STATE_PLAYER_RIGHT_ACROSS : STATE_PLAYER_LEFT_ACROSS;
  if (my <= 0) return across;
  if (mx == 0) return STATE_PLAYER_STRAIGHT;
  // Four times the slope of the cursor's line from the figure.
  const int16_t e = static_cast<int16_t>(4 * my / mx);
  if (e < 0) {
    if (e <= -12) return STATE_PLAYER_STRAIGHT;
    if (e <= -6) return STATE_PLAYER_LEFT_SLIGHT;
    if (e <= -3) return STATE_PLAYER_LEFT_TURN;
    return STATE_PLAYER_LEFT_ACROSS;
  }
  if (e >= 12) return STATE_PLAYER_STRAIGHT;
  if (e >= 6) return STATE_PLAYER_RIGHT_SLIGHT;
  if (e >= 3) return STATE_PLAYER_RIGHT_TURN;
  if (e >= 1) return STATE_PLAYER_RIGHT_ACROSS;
  return across;  // far to the side, barely below
}

int32_t airPose(int16_t mx, int16_t my) {
  if (mx >= 0) {
    if (my >= 0) return my > mx ? STATE_PLAYER_AIR_SPREAD : STATE_PLAYER_AIR_RIGHT;
    return -my > mx ? STATE_PLAYER_AIR_UPHILL : STATE_PLAYER_AIR_RIGHT;
  }
  if (my < 0) return my < mx ? STATE_PLAYER_AIR_UPHILL : STATE_PLAYER_AIR_LEFT;
  return my > -mx ? STATE_PLAYER_AIR_SPREAD : STATE_PLAYER_AIR_LEFT;
}

void onMouseMove(int16_t x, int16_t y) {
  Actor* player = world.player;
  const bool moved = x != world.lastMouseX || y != world.lastMouseY;
  if (world.mouseSeen && moved && player != nullptr && player->state != STATE_PLAYER_CRASHED &&
      player->state != STATE_PLAYER_TUMBLE) {
    const int16_t mx = static_cast<int16_t>(x - world.anchorX);
    const int16_t my = static_cast<int16_t>(y - world.anchorY);
    // The change shows at the next tick; a stream of moves repaints nothing.
    setActorState(player, player->z != 0 ? airPose(mx, my) : groundDirection(mx, my));
  }
  world.lastMouseX = x;
  world.lastMouseY = y;
  world.mouseSeen = true;
}

void onMouseButton() {
  Actor* player = world.player;
  if (player == nullptr) {
    newGame();
    return;
  }
  if (player->state == STATE_PLAYER_CRASHED) return;

  int32_t newState = player->state;
  if (player->z == 0) {
    player->dz = 4;  // unlike the jump key, keeps the downhill speed
    newState = STATE_PLAYER_AIR_SPREAD;
  } else {
    newState = nextTrick(player->state);  // the tumble and the other poses stay
  }
  applyInputState(newState);
}
