// Which pose a left or right turn leads to from each of the player's states.
#include "control/control.h"

const int32_t TurnTable[22][2] = {
    {1, 4},                                  // 0 heading down
    {2, 0},                                  // 1
    {3, 1},                                  // 2
    {7, 2},                                  // 3 across, facing left: further left is a side-step
    {0, 5},                                  // 4
    {4, 6},                                  // 5
    {5, 8},                                  // 6 across, facing right
    {3, 2},                                  // 7 side-stepping left
    {5, 6},                                  // 8 side-stepping right
    {9, 2},                                  // 9 hopping, facing left
    {5, 10},                                 // 10 hopping, facing right
    {3, 6},                                  // 11 crashed (never consulted)
    {3, 6},                                  // 12 seated
    {14, 15},                                // 13..16: the quarter-turn cycle in the air
    {16, 13}, {13, 16}, {15, 14}, {14, 15},  // 17 tumble (never consulted)
    {20, 21},                                // 18..21: trick poses fall back into the cycle
    {20, 21}, {16, 13}, {13, 16},
};
