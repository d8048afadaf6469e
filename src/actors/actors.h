// The fixed pool of actor records and the operations on them.
#pragma once

#include <array>
#include <cstdint>

#include "shell/world_state.h"

extern const std::array<uint16_t, kStateCount> StateSprite;
extern const std::array<int32_t, KIND_MOGULS> KindDefaultState;  // kinds with states

Actor* createActor(int32_t kind, int32_t state);
Actor* createActorWithSprite(int32_t kind, uint16_t spriteIndex);
Actor* setActorState(Actor* actor, int32_t state);
Actor* setActorSprite(Actor* actor, uint16_t spriteIndex);
Actor* setActorPosition(Actor* actor, int16_t x, int16_t y, int16_t z);
void removeActor(Actor* actor);
void freeDeadActors();
Actor* makeGhost(Actor* actor);
Actor* lastDrawn(Actor* actor);
Actor* copyActor(Actor* source, bool linkAfterSource);
Actor* newBlankActor();
