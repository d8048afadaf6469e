// Which sprite each actor state shows, and the state an edge-spawned actor
// of each moving kind starts in.
#include "actors/actors.h"

const uint16_t StateSprite[kStateCount] = {
    // Player 0..21: sprites 1..22.
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
    // Racer 22..26, dog 27..30, boarder 31..38: sprites 28..44.
    28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44,
    // Lift chair 39..41, monster 42..55: sprites 65..81.
    65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81,
    // Burning tree: the flame flickers 83, 84, 85 and back through 84.
    83, 84, 85, 84,
    // Walking tree: stands as a plain tree, then strides.
    49, 87, 88, 89};

const int32_t KindDefaultState[11] = {
    6,   // KIND_PLAYER
    22,  // KIND_RACER
    27,  // KIND_DOG
    31,  // KIND_BOARDER
    39,  // KIND_LIFT_CHAIR
    42,  // KIND_MONSTER_TOP
    42,  // KIND_MONSTER_BOTTOM
    42,  // KIND_MONSTER_LEFT
    42,  // KIND_MONSTER_RIGHT
    56,  // KIND_BURNING_TREE
    60,  // KIND_WALKING_TREE
};
