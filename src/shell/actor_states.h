// The actor states. Each shows one sprite through StateSprite; the numbers
// are the ones stored in the records, replays and dumps, so they never move:
// STATE_NONE, which every static actor holds, stays 64 too. A new state takes
// the next number after the last one, before STATE_END; then StateSprite
// (actors/actor_tables.cpp) needs its row, or it fails to compile.
#pragma once

#include <cstdint>

enum ActorState : int32_t {
  // The player on the snow. Turning walks through these numbers (TurnTable).
  STATE_PLAYER_STRAIGHT = 0,
  STATE_PLAYER_LEFT_SLIGHT = 1,
  STATE_PLAYER_LEFT_TURN = 2,
  STATE_PLAYER_LEFT_ACROSS = 3,  // also the state a new player starts in
  STATE_PLAYER_RIGHT_SLIGHT = 4,
  STATE_PLAYER_RIGHT_TURN = 5,
  STATE_PLAYER_RIGHT_ACROSS = 6,
  STATE_PLAYER_STEP_LEFT = 7,
  STATE_PLAYER_STEP_RIGHT = 8,
  STATE_PLAYER_HOP_LEFT = 9,
  STATE_PLAYER_HOP_RIGHT = 10,
  STATE_PLAYER_CRASHED = 11,
  STATE_PLAYER_SEATED = 12,
  // The player in the air.
  STATE_PLAYER_AIR_SPREAD = 13,  // facing downhill
  STATE_PLAYER_AIR_LEFT = 14,
  STATE_PLAYER_AIR_RIGHT = 15,
  STATE_PLAYER_AIR_UPHILL = 16,
  STATE_PLAYER_TUMBLE = 17,
  STATE_PLAYER_TRICK_UPSIDE_DOWN = 18,
  STATE_PLAYER_TRICK_FLIP = 19,
  STATE_PLAYER_TRICK_TUCK_LEFT = 20,
  STATE_PLAYER_TRICK_TUCK_RIGHT = 21,

  STATE_RACER_STRAIGHT = 22,
  STATE_RACER_SLIDE_LEFT = 23,
  STATE_RACER_SLIDE_RIGHT = 24,
  STATE_RACER_FALLEN = 25,
  STATE_RACER_TUMBLED = 26,

  STATE_DOG_TROT_1 = 27,
  STATE_DOG_TROT_2 = 28,
  STATE_DOG_BARK_1 = 29,
  STATE_DOG_BARK_2 = 30,

  STATE_BOARDER_CARVE_LEFT = 31,
  STATE_BOARDER_CARVE_RIGHT = 32,
  STATE_BOARDER_AIR = 33,
  STATE_BOARDER_TUMBLE_1 = 34,
  STATE_BOARDER_TUMBLE_2 = 35,
  STATE_BOARDER_TUMBLE_3 = 36,
  STATE_BOARDER_TUMBLE_4 = 37,
  STATE_BOARDER_TUMBLE_5 = 38,

  STATE_CHAIR_TWO_RIDERS = 39,  // going up
  STATE_CHAIR_ONE_RIDER = 40,   // going up, a boarder has dropped off
  STATE_CHAIR_EMPTY = 41,       // going down

  STATE_MONSTER_STAND = 42,
  STATE_MONSTER_JUMP = 43,
  STATE_MONSTER_WALK_LEFT_1 = 44,
  STATE_MONSTER_WALK_LEFT_2 = 45,
  STATE_MONSTER_WALK_RIGHT_1 = 46,  // right or downhill
  STATE_MONSTER_WALK_RIGHT_2 = 47,
  STATE_MONSTER_WALK_UP_1 = 48,
  STATE_MONSTER_WALK_UP_2 = 49,
  STATE_MONSTER_EAT_GRAB = 50,
  STATE_MONSTER_EAT_LIFT = 51,
  STATE_MONSTER_EAT_BITE = 52,
  STATE_MONSTER_EAT_CHEW = 53,
  STATE_MONSTER_EAT_GULP = 54,
  STATE_MONSTER_EAT_PAT_BELLY = 55,

  STATE_BURNING_TREE_1 = 56,
  STATE_BURNING_TREE_2 = 57,
  STATE_BURNING_TREE_3 = 58,
  STATE_BURNING_TREE_4 = 59,

  STATE_WALKING_TREE_STAND = 60,  // looks like any tree
  STATE_WALKING_TREE_WALK = 61,
  STATE_WALKING_TREE_LEFT = 62,
  STATE_WALKING_TREE_RIGHT = 63,

  STATE_NONE = 64,  // an actor made with a sprite directly

  // New states here, from 65 on.

  STATE_END  // one past the last state, itself none
};

// The numbers StateSprite has a row for, STATE_NONE's among them (a state
// no actor is ever set to).
constexpr int32_t kStateCount = STATE_END;
constexpr int32_t kNoState = STATE_NONE;
// How many states each self-propelled figure has, for the tables kept per
// state. Each figure's states are one run of numbers; a state added after
// STATE_NONE lies outside the run, so these tables and the figures' range
// checks do not cover it (see docs/design.md, "Add a state").
constexpr int32_t kPlayerStateCount = STATE_RACER_STRAIGHT;  // the player's are 0 to 21
constexpr int32_t kAirborneStateCount = STATE_RACER_STRAIGHT - STATE_PLAYER_AIR_SPREAD;
constexpr int32_t kRacerStateCount = STATE_DOG_TROT_1 - STATE_RACER_STRAIGHT;
constexpr int32_t kBoarderStateCount = STATE_CHAIR_TWO_RIDERS - STATE_BOARDER_CARVE_LEFT;
