// The game keys, the steering keys and the convenience characters.
#include "control/control.h"

#include <algorithm>

#include "actors/actors.h"
#include "display/display.h"
#include "shell/shell.h"

namespace {

int32_t turn(const Actor* player, TurnSide side) {
  if (!GAME_CHECK(player->state >= 0 && player->state < kPlayerStateCount)) return player->state;
  return TurnTable[player->state][side];
}

// Up: a hop uphill from a standstill on the ground, or the next trick.
int32_t upRule(Actor* player) {
  const int32_t state = player->state;
  switch (state) {
    case STATE_PLAYER_LEFT_ACROSS:
    case STATE_PLAYER_STEP_LEFT:
    case STATE_PLAYER_SEATED:
    case STATE_PLAYER_RIGHT_ACROSS:
    case STATE_PLAYER_STEP_RIGHT:
      if (player->dy != 0) return state;
      player->dy = -4;
      return (state == STATE_PLAYER_RIGHT_ACROSS || state == STATE_PLAYER_STEP_RIGHT)
                 ? STATE_PLAYER_HOP_RIGHT
                 : STATE_PLAYER_HOP_LEFT;
    default:
      return nextTrick(state);  // the height is not looked at
  }
}

int32_t downRule(const Actor* player) {
  if (player->z == 0) return STATE_PLAYER_STRAIGHT;
  switch (player->state) {
    case STATE_PLAYER_AIR_SPREAD:
      return STATE_PLAYER_TRICK_FLIP;
    case STATE_PLAYER_TRICK_UPSIDE_DOWN:
      return STATE_PLAYER_AIR_SPREAD;
    case STATE_PLAYER_TRICK_FLIP:
      return STATE_PLAYER_TRICK_UPSIDE_DOWN;
    case STATE_PLAYER_TRICK_TUCK_LEFT:
      return STATE_PLAYER_AIR_LEFT;
    case STATE_PLAYER_TRICK_TUCK_RIGHT:
      return STATE_PLAYER_AIR_RIGHT;
    default:
      return player->state;
  }
}

int32_t steer(Actor* player, WPARAM key) {
  const bool onSnow = player->z == 0;
  switch (key) {
    case VK_LEFT:
    case VK_NUMPAD4: {
      const int32_t state = turn(player, TURN_LEFT);
      if (state == STATE_PLAYER_STEP_LEFT)
        player->dx = static_cast<int16_t>(std::max(player->dx - 8, -8));
      return state;
    }
    case VK_RIGHT:
    case VK_NUMPAD6: {
      const int32_t state = turn(player, TURN_RIGHT);
      if (state == STATE_PLAYER_STEP_RIGHT)
        player->dx = static_cast<int16_t>(std::min(player->dx + 8, 8));
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
      return onSnow ? STATE_PLAYER_LEFT_ACROSS : player->state;
    case VK_END:
    case VK_NUMPAD1:
      return onSnow ? STATE_PLAYER_LEFT_SLIGHT : player->state;
    case VK_PRIOR:
    case VK_NUMPAD9:
      return onSnow ? STATE_PLAYER_RIGHT_ACROSS : player->state;
    case VK_NEXT:
    case VK_NUMPAD3:
      return onSnow ? STATE_PLAYER_RIGHT_SLIGHT : player->state;
    case VK_INSERT:
    case VK_NUMPAD0:
      if (!onSnow) return player->state;
      player->dz = 2;
      if (player->dy > 4) player->dy = static_cast<int16_t>(player->dy - 4);
      return STATE_PLAYER_AIR_SPREAD;
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
  if (player->state == STATE_PLAYER_CRASHED || player->state == STATE_PLAYER_TUMBLE) return;
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
