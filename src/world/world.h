// The slope world: the world tick and spawning, courses and placed objects,
// behaviours, collisions, monsters and the lift, motion rules.
#pragma once

#include <array>
#include <cstdint>

#include "shell/world_state.h"

// World tick and edge spawning.
void worldTick();
void edgePosition(int edge, int16_t* x, int16_t* y);
Actor* spawnAtEdge(int edge);
Actor* placeAtEdge(Actor* actor, int edge);
int32_t chooseOpenKind();
int32_t chooseSlalomKind();
int32_t chooseTreeSlalomKind();
int32_t chooseFreestyleKind();
uint16_t spriteForKind(int32_t kind);

// Courses and placed objects.
void clearPlacedList(PlacedList* list);
PlacedObject* addPlacedObject(PlacedList* list, const PlacedObject* templ);
void layoutCourses();
void placeTitleSigns();
Actor* materialise(PlacedObject* object);
void streamPlacedList(PlacedList* list);
void advanceMovingObjects(PlacedList* list);

// Behaviours.
Actor* updateActor(Actor* actor);
Actor* moveActor(Actor* actor);
extern const std::array<int32_t, kAirborneStateCount> LandingState;

// Collisions.
void collide(Actor* a, Actor* b);
void launch(Actor* a, int16_t v);
void discardActor(Actor* b);

// Monsters and the chair lift.
void movePlacedObject(PlacedObject* object);
void stepLiftChair(PlacedObject* object);
void stepMonster(PlacedObject* object);

// Motion rules.
extern const std::array<MotionRule, kPlayerStateCount> PlayerMotionRules;
extern const std::array<MotionRule, kRacerStateCount> RacerMotionRules;
extern const std::array<MotionRule, kBoarderStateCount> BoarderMotionRules;
Actor* applyMotionRule(Actor* actor, const MotionRule* rule);
