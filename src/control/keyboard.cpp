// The game keys, the steering keys and the convenience characters.
#include "control/control.h"

#include <algorithm>

#include "actors/actors.h"
#include "display/display.h"
#include "shell/shell.h"

namespace {

constexpr int32_t kCrashed = 11;
constexpr int32_t kTumble = 17;

int32_t turn(const Actor* player, int side) {
  if (!GAME_CHECK(player->state >= 0 && player->state < 22)) return player->state;
  return TurnTable[player->state][side];
}

// Up: a hop uphill from a standstill on the ground, or the next trick.
int32_t upRule(Actor* player) {
  const int32_t state = player->state;
  switch (state) {
    case 3:
    case 7:
    case 12:
    case 6:
    case 8:
      if (player->dy != 0) return state;
      player->dy = -4;
      return (state == 6 || state == 8) ? 10 : 9;
    case 13:
      return 18;
    case 14:
      return 20;
    case 15:
      return 21;
    case 18:
      return 19;
    case 19:
      return 13;
    default:
      return state;
  }
}

int32_t downRule(const Actor* player) {
  if (player->z == 0) return 0;
  switch (player->state) {
    case 13:
      return 19;
    case 18:
      return 13;
    case 19:
      return 18;
    case 20:
      return 14;
    case 21:
      return 15;
    default:
      return player->state;
  }
}

int32_t steer(Actor* player, WPARAM key) {
  const bool onSnow = player->z == 0;
  switch (key) {
    case VK_LEFT:
    case VK_NUMPAD4: {
      const int32_t state = turn(player, 0);
      if (state == 7) player->dx = static_cast<int16_t>(std::max(player->dx - 8, -8));
      return state;
    }
    case VK_RIGHT:
    case VK_NUMPAD6: {
      const int32_t state = turn(player, 1);
      if (state == 8) player->dx = static_cast<int16_t>(std::min(player->dx + 8, 8));
      return state;
    }
    case VK_UP:
    case VK_NUMPAD8:
      return upRule(player);
    case VK_DOWN:
    case VK_NUMPAD2:
      return downRule(player);
    case VK_HOME:
    case VK_NUMPAD7:
      return onSnow ? 3 : player->state;
    case VK_END:
    case VK_NUMPAD1:
      return onSnow ? 1 : player->state;
    case VK_PRIOR:
    case VK_NUMPAD9:
      return onSnow ? 6 : player->state;
    case VK_NEXT:
    case VK_NUMPAD3:
      return onSnow ? 4 : player->state;
    case VK_INSERT:
    case VK_NUMPAD0:
      if (!onSnow) return player->state;
      player->dz = 2;
      if (player->dy > 4) player->dy = static_cast<int16_t>(player->dy - 4);
      return 13;
    default:
      return player->state;
  }
}

void nudgePlayer(int dx, int dy) {
  Actor* player = world.player;
  if (player == nullptr) return;
  setActorPosition(player, static_cast<int16_t>(player->x + dx),
                   static_cast<int16_t>(player->y + dy), player->z);
}

}  // namespace

void onKeyDown(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_RETURN:
      if (world.player == nullptr) newGame();
      return;
    case VK_F2:
      newGame();
      return;
    case VK_ESCAPE:
      ShowWindow(world.mainWindow, SW_MINIMIZE);
      return;
    case VK_F3:
      togglePause();
      return;
    default:
      break;
  }
  Actor* player = world.player;
  if (player == nullptr) return;
  if (player->state == kCrashed || player->state == kTumble) return;
  applyInputState(steer(player, virtualKey));
}

void onChar(WPARAM character) {
  switch (character) {
    case 'x':
      nudgePlayer(2, 0);
      break;
    case 'X':
      nudgePlayer(-2, 0);
      break;
    case 'y':
      nudgePlayer(0, 2);
      break;
    case 'Y':
      nudgePlayer(0, -2);
      break;
    case 'f':
      world.fastMode = !world.fastMode;
      break;
    case 'r':
      repaint(world.mainDc, &world.clientRect);
      break;
    case 't':
      tick();  // a single step, also while paused
      break;
    default:
      break;
  }
}
