// Which pose a turn or a trick leads to from each of the player's states.
#include "control/control.h"

// On the snow a turn walks toward one side and, past across the slope,
// into a side-step; in the air the four poses form a quarter-turn cycle
// and the tricks fall back into it.
// Sized by its rows (std::to_array): one missing fails to compile.
const std::array<std::array<int32_t, 2>, kPlayerStateCount> TurnTable =
    std::to_array<std::array<int32_t, 2>>({
        {STATE_PLAYER_LEFT_SLIGHT, STATE_PLAYER_RIGHT_SLIGHT},          // STRAIGHT
        {STATE_PLAYER_LEFT_TURN, STATE_PLAYER_STRAIGHT},                // LEFT_SLIGHT
        {STATE_PLAYER_LEFT_ACROSS, STATE_PLAYER_LEFT_SLIGHT},           // LEFT_TURN
        {STATE_PLAYER_STEP_LEFT, STATE_PLAYER_LEFT_TURN},               // LEFT_ACROSS
        {STATE_PLAYER_STRAIGHT, STATE_PLAYER_RIGHT_TURN},               // RIGHT_SLIGHT
        {STATE_PLAYER_RIGHT_SLIGHT, STATE_PLAYER_RIGHT_ACROSS},         // RIGHT_TURN
        {STATE_PLAYER_RIGHT_TURN, STATE_PLAYER_STEP_RIGHT},             // RIGHT_ACROSS
        {STATE_PLAYER_LEFT_ACROSS, STATE_PLAYER_LEFT_TURN},             // STEP_LEFT
        {STATE_PLAYER_RIGHT_TURN, STATE_PLAYER_RIGHT_ACROSS},           // STEP_RIGHT
        {STATE_PLAYER_HOP_LEFT, STATE_PLAYER_LEFT_TURN},                // HOP_LEFT
        {STATE_PLAYER_RIGHT_TURN, STATE_PLAYER_HOP_RIGHT},              // HOP_RIGHT
        {STATE_PLAYER_LEFT_ACROSS, STATE_PLAYER_RIGHT_ACROSS},          // CRASHED (never consulted)
        {STATE_PLAYER_LEFT_ACROSS, STATE_PLAYER_RIGHT_ACROSS},          // SEATED
        {STATE_PLAYER_AIR_LEFT, STATE_PLAYER_AIR_RIGHT},                // AIR_SPREAD
        {STATE_PLAYER_AIR_UPHILL, STATE_PLAYER_AIR_SPREAD},             // AIR_LEFT
        {STATE_PLAYER_AIR_SPREAD, STATE_PLAYER_AIR_UPHILL},             // AIR_RIGHT
        {STATE_PLAYER_AIR_RIGHT, STATE_PLAYER_AIR_LEFT},                // AIR_UPHILL
        {STATE_PLAYER_AIR_LEFT, STATE_PLAYER_AIR_RIGHT},                // TUMBLE (never consulted)
        {STATE_PLAYER_TRICK_TUCK_LEFT, STATE_PLAYER_TRICK_TUCK_RIGHT},  // TRICK_UPSIDE_DOWN
        {STATE_PLAYER_TRICK_TUCK_LEFT, STATE_PLAYER_TRICK_TUCK_RIGHT},  // TRICK_FLIP
        {STATE_PLAYER_AIR_UPHILL, STATE_PLAYER_AIR_SPREAD},             // TRICK_TUCK_LEFT
        {STATE_PLAYER_AIR_SPREAD, STATE_PLAYER_AIR_UPHILL},             // TRICK_TUCK_RIGHT
    });

int32_t nextTrick(int32_t state) {
  switch (state) {
    case STATE_PLAYER_AIR_SPREAD:
      return STATE_PLAYER_TRICK_UPSIDE_DOWN;
    case STATE_PLAYER_AIR_LEFT:
      return STATE_PLAYER_TRICK_TUCK_LEFT;
    case STATE_PLAYER_AIR_RIGHT:
      return STATE_PLAYER_TRICK_TUCK_RIGHT;
    case STATE_PLAYER_TRICK_UPSIDE_DOWN:
      return STATE_PLAYER_TRICK_FLIP;
    case STATE_PLAYER_TRICK_FLIP:
      return STATE_PLAYER_AIR_SPREAD;
    default:
      return state;
  }
}
