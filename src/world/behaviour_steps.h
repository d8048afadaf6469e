// The per-kind behaviour steps that updateActor dispatches to.
#pragma once

#include "shell/world_state.h"

void updatePlayer(Actor* player);
void updateRacer(Actor* racer);
void updateDog(Actor* dog);
void updateBoarder(Actor* boarder);
void updateBurningTree(Actor* tree);
void updateWalkingTree(Actor* tree);
