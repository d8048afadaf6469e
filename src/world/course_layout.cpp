// Where the courses, the lift and the monsters stand at the start of a game,
// and the title and help signs beside the starting point.
#include "world/world.h"

#include <algorithm>

#include "actors/actors.h"
#include "shell/shell.h"

namespace {

constexpr int16_t kStartLine = 640;
constexpr int16_t kSlalomFinish = 8640;
constexpr int16_t kLongFinish = 16640;
constexpr int16_t kLiftTop = -1024;
constexpr int16_t kLiftBottom = 23552;
constexpr int16_t kLiftSpacing = 2048;

PlacedObject* place(PlacedList* list, int32_t kind, uint16_t sprite, int x, int y) {
  PlacedObject templ{};
  templ.kind = kind;
  templ.spriteIndex = sprite;
  templ.state = kNoState;
  templ.x = static_cast<int16_t>(x);
  templ.y = static_cast<int16_t>(y);
  return addPlacedObject(list, &templ);
}

void placeStart(PlacedList* list, int left, int right) {
  // Each banner's arrow points into the course.
  place(list, KIND_SCENERY, SPRITE_START_RIGHT, left, kStartLine);
  place(list, KIND_SCENERY, SPRITE_START_LEFT, right, kStartLine);
}

void placeFinish(PlacedList* list, int left, int right, int finishY) {
  place(list, KIND_SCENERY, SPRITE_FINISH_RIGHT, left, finishY);
  place(list, KIND_SCENERY, SPRITE_FINISH_LEFT, right, finishY);
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

}  // namespace

void layoutCourses() {
  const RECT& client = world.clientRect;
  const int16_t leftX = static_cast<int16_t>(client.left - world.anchorX + world.viewX);
  const int16_t rightX = static_cast<int16_t>(client.right - world.anchorX + world.viewX);
  int16_t signY = static_cast<int16_t>(client.bottom - world.anchorY + world.viewY - 60);
  // On a very tall window the signs would stand below the start line.
  if (signY > kStartLine) signY = 520;

  clearPlacedList(&world.slalomList);
  place(&world.slalomList, KIND_SCENERY, SPRITE_SIGN_SLALOM,
        std::max<int16_t>(int16_t(leftX + 60), -320), signY);
  placeStart(&world.slalomList, -576, -320);
  world.firstSlalomGate = nullptr;
  world.firstSlalomGate = placeGates(&world.slalomList, 960, 320, kSlalomFinish, -496, -400);
  placeFinish(&world.slalomList, -576, -320, kSlalomFinish);

  clearPlacedList(&world.treeSlalomList);
  place(&world.treeSlalomList, KIND_SCENERY, SPRITE_SIGN_TREE_SLALOM,
        std::min<int16_t>(int16_t(rightX - 60), 320), signY);
  placeStart(&world.treeSlalomList, 320, 512);
  world.firstTreeSlalomGate = nullptr;
  world.firstTreeSlalomGate = placeGates(&world.treeSlalomList, 1040, 400, kLongFinish, 400, 432);
  placeFinish(&world.treeSlalomList, 320, 512, kLongFinish);

  clearPlacedList(&world.freestyleList);
  place(&world.freestyleList, KIND_SCENERY, SPRITE_SIGN_FREESTYLE, 0, signY);
  placeStart(&world.freestyleList, -160, 160);
  placeFinish(&world.freestyleList, -160, 160, kLongFinish);
  world.freestyleRunOn = false;

  clearPlacedList(&world.liftTowerList);
  for (int y = kLiftTop; y <= kLiftBottom; y += kLiftSpacing) {
    place(&world.liftTowerList, KIND_TREE, SPRITE_LIFT_TOWER, -128, y);
  }

  // Chairs hang 32 above the snow: full ones going up on the right-hand
  // line, empty ones coming down on the left.
  clearPlacedList(&world.movingList);
  for (int y = kLiftTop; y <= kLiftBottom; y += kLiftSpacing) {
    if (y > kLiftTop) placeMoving(KIND_LIFT_CHAIR, STATE_CHAIR_TWO_RIDERS, -112, y, 32, -2);
    if (y < kLiftBottom) placeMoving(KIND_LIFT_CHAIR, STATE_CHAIR_EMPTY, -144, y, 32, 2);
  }

  placeMoving(KIND_MONSTER_LEFT, STATE_MONSTER_STAND, -16060, 0, 0, 0);
  placeMoving(KIND_MONSTER_RIGHT, STATE_MONSTER_STAND, 16060, 0, 0, 0);
  placeMoving(KIND_MONSTER_TOP, STATE_MONSTER_STAND, 0, -2060, 0, 0);
  placeMoving(KIND_MONSTER_BOTTOM, STATE_MONSTER_STAND, 0, 32060, 0, 0);
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
