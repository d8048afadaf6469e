// Where the courses, the lift and the monsters stand at the start of a game,
// and the title and help signs beside the starting point.
#include "world/world.h"

#include <algorithm>

#include "actors/actors.h"
#include "shell/shell.h"

namespace {

PlacedObject* place(PlacedList* list, int32_t kind, uint16_t sprite, int x, int y) {
  PlacedObject templ{};
  templ.kind = kind;
  templ.spriteIndex = sprite;
  templ.state = kNoState;
  templ.x = static_cast<int16_t>(x);
  templ.y = static_cast<int16_t>(y);
  return addPlacedObject(list, &templ);
}

void placeStart(PlacedList* list, CourseSpan span) {
  // Each banner's arrow points into the course.
  place(list, KIND_SCENERY, SPRITE_START_RIGHT, span.left, kStartLineY);
  place(list, KIND_SCENERY, SPRITE_START_LEFT, span.right, kStartLineY);
}

void placeFinish(PlacedList* list, CourseSpan span, int finishY) {
  place(list, KIND_SCENERY, SPRITE_FINISH_RIGHT, span.left, finishY);
  place(list, KIND_SCENERY, SPRITE_FINISH_LEFT, span.right, finishY);
}

// Gates alternate between a pole passed on its left and one passed on its
// right, starting with the left one, until the finish line.
PlacedObject* placeGates(PlacedList* list, int firstY, int spacing, int finishY, int leftPoleX,
                         int rightPoleX) {
  PlacedObject* first = nullptr;
  bool leftPole = true;
  for (int y = firstY; y < finishY; y += spacing) {
    PlacedObject* gate =
        place(list, KIND_GATE, leftPole ? SPRITE_GATE_PASS_LEFT : SPRITE_GATE_PASS_RIGHT,
              leftPole ? leftPoleX : rightPoleX, y);
    if (first == nullptr) first = gate;
    leftPole = !leftPole;
  }
  return first;
}

void placeMoving(int32_t kind, int32_t state, int x, int y, int z, int dy) {
  PlacedObject templ{};
  templ.kind = kind;
  templ.state = state;
  templ.x = static_cast<int16_t>(x);
  templ.y = static_cast<int16_t>(y);
  templ.z = static_cast<int16_t>(z);
  templ.dy = static_cast<int16_t>(dy);
  addPlacedObject(&world.movingList, &templ);
}

// Where the course signs stand: near the client area's edges at game start,
// on a row 60 above its bottom.
struct SignRow {
  int16_t leftX;
  int16_t rightX;
  int16_t y;
};

SignRow signRow() {
  const RECT& client = world.clientRect;
  SignRow row;
  row.leftX = static_cast<int16_t>(client.left - world.anchorX + world.viewX);
  row.rightX = static_cast<int16_t>(client.right - world.anchorX + world.viewX);
  row.y = static_cast<int16_t>(client.bottom - world.anchorY + world.viewY - 60);
  // On a very tall window the signs would stand below the start line.
  if (row.y > kStartLineY) row.y = 520;
  return row;
}

void layoutSlalom(const SignRow& signs) {
  clearPlacedList(&world.slalomList);
  place(&world.slalomList, KIND_SCENERY, SPRITE_SIGN_SLALOM,
        std::max<int16_t>(int16_t(signs.leftX + 60), kSlalomSpan.right), signs.y);
  placeStart(&world.slalomList, kSlalomSpan);
  world.firstSlalomGate = placeGates(&world.slalomList, 960, 320, kSlalomFinishY, -496, -400);
  placeFinish(&world.slalomList, kSlalomSpan, kSlalomFinishY);
}

// The trees of this course are not placed: the edge spawner fills its area.
void layoutTreeSlalom(const SignRow& signs) {
  clearPlacedList(&world.treeSlalomList);
  place(&world.treeSlalomList, KIND_SCENERY, SPRITE_SIGN_TREE_SLALOM,
        std::min<int16_t>(int16_t(signs.rightX - 60), kTreeSlalomSpan.left), signs.y);
  placeStart(&world.treeSlalomList, kTreeSlalomSpan);
  world.firstTreeSlalomGate = placeGates(&world.treeSlalomList, 1040, 400, kLongFinishY, 400, 432);
  placeFinish(&world.treeSlalomList, kTreeSlalomSpan, kLongFinishY);
}

void layoutFreestyle(const SignRow& signs) {
  clearPlacedList(&world.freestyleList);
  place(&world.freestyleList, KIND_SCENERY, SPRITE_SIGN_FREESTYLE, 0, signs.y);
  placeStart(&world.freestyleList, kFreestyleSpan);
  placeFinish(&world.freestyleList, kFreestyleSpan, kLongFinishY);
  world.freestyleRunOn = false;
}

// Chairs hang 32 above the snow: full ones going up on the right-hand line,
// empty ones coming down on the left, an up-going one first where both are.
void layoutLift() {
  clearPlacedList(&world.liftTowerList);
  for (int y = kLiftTopY; y <= kLiftBottomY; y += kLiftSpacing) {
    place(&world.liftTowerList, KIND_TREE, SPRITE_LIFT_TOWER, kLiftTowerX, y);
  }
  clearPlacedList(&world.movingList);
  for (int y = kLiftTopY; y <= kLiftBottomY; y += kLiftSpacing) {
    if (y > kLiftTopY) placeMoving(KIND_LIFT_CHAIR, STATE_CHAIR_TWO_RIDERS, kLiftUpX, y, 32, -2);
    if (y < kLiftBottomY) placeMoving(KIND_LIFT_CHAIR, STATE_CHAIR_EMPTY, kLiftDownX, y, 32, 2);
  }
}

// The monsters follow the chairs in the list of moving objects.
void placeMonsters() {
  constexpr int kBeyond = kMonsterPostDistance;
  placeMoving(KIND_MONSTER_LEFT, STATE_MONSTER_STAND, kWorldLeftX - kBeyond, 0, 0, 0);
  placeMoving(KIND_MONSTER_RIGHT, STATE_MONSTER_STAND, kWorldRightX + kBeyond, 0, 0, 0);
  placeMoving(KIND_MONSTER_TOP, STATE_MONSTER_STAND, 0, kWorldTopY - kBeyond, 0, 0);
  placeMoving(KIND_MONSTER_BOTTOM, STATE_MONSTER_STAND, 0, kWorldBottomY + kBeyond, 0, 0);
}

}  // namespace

// The lists are built one after another, so each one's records lie together
// in the table.
void layoutCourses() {
  const SignRow signs = signRow();
  layoutSlalom(signs);
  layoutTreeSlalom(signs);
  layoutFreestyle(signs);
  layoutLift();
  placeMonsters();
}

void placeTitleSigns() {
  const Sprite* sprites = world.sprites;
  const Sprite& title = sprites[SPRITE_TITLE_CARD];
  const Sprite& version = sprites[SPRITE_VERSION];
  const Sprite& keypad = sprites[SPRITE_SIGN_KEYPAD];
  const Sprite& keys = sprites[SPRITE_SIGN_KEYS];
  const int16_t titleX = static_cast<int16_t>(-40 - title.width / 2);
  const int16_t helpX = std::max(keypad.width, keys.width);

  if (Actor* actor = createActorWithSprite(KIND_SCENERY, SPRITE_TITLE_CARD)) {
    setActorPosition(actor, titleX, world.viewY, 0);
  }
  if (Actor* actor = createActorWithSprite(KIND_SCENERY, SPRITE_VERSION)) {
    setActorPosition(actor, titleX, static_cast<int16_t>(world.viewY + version.height + 4), 0);
  }
  if (Actor* actor = createActorWithSprite(KIND_SCENERY, SPRITE_SIGN_KEYPAD)) {
    setActorPosition(actor, helpX, keypad.height, 0);
  }
  if (Actor* actor = createActorWithSprite(KIND_SCENERY, SPRITE_SIGN_KEYS)) {
    setActorPosition(actor, helpX, static_cast<int16_t>(keypad.height + keys.height + 4), 0);
  }
}
