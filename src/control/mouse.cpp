// Steering by the cursor's place relative to the figure, and the click that
// jumps, tricks or starts a new game.
#include "control/control.h"

#include "actors/actors.h"
#include "shell/shell.h"

namespace {

constexpr int32_t kCrashed = 11;
constexpr int32_t kTumble = 17;

}  // namespace

int32_t groundDirection(int16_t mx, int16_t my) {
  // At or above the figure the cursor turns it across the slope.
  if (my <= 0) return mx >= 0 ? 6 : 3;
  if (mx == 0) return 0;
  const int16_t e = static_cast<int16_t>(4 * my / mx);
  if (e < 0) {
    if (e <= -12) return 0;
    if (e <= -6) return 1;
    if (e <= -3) return 2;
    return 3;
  }
  if (e >= 12) return 0;
  if (e >= 6) return 4;
  if (e >= 3) return 5;
  if (e >= 1) return 6;
  return mx >= 0 ? 6 : 3;  // far to the side, barely below
}

int32_t airPose(int16_t mx, int16_t my) {
  if (mx >= 0) {
    if (my >= 0) return my > mx ? 13 : 15;
    return -my > mx ? 16 : 15;
  }
  if (my < 0) return my < mx ? 16 : 14;
  return my > -mx ? 13 : 14;
}

void onMouseMove(int16_t x, int16_t y) {
  Actor* player = world.player;
  const bool moved = x != world.lastMouseX || y != world.lastMouseY;
  if (world.mouseSeen && moved && player != nullptr && player->state != kCrashed &&
      player->state != kTumble) {
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
  if (player->state == kCrashed) return;

  int32_t newState = player->state;
  if (player->z == 0) {
    player->dz = 4;  // unlike the jump key, keeps the downhill speed
    newState = 13;
  } else {
    switch (player->state) {
      case 13:
        newState = 18;
        break;
      case 14:
        newState = 20;
        break;
      case 15:
        newState = 21;
        break;
      case 18:
        newState = 19;
        break;
      case 19:
        newState = 13;
        break;
      default:
        break;  // the tumble and the other poses stay
    }
  }
  applyInputState(newState);
}
