// The game's plain records and constants, shared by every subsystem.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "shell/actor_states.h"
#include "shell/sound_ids.h"
#include "shell/sprite_manifest.h"  // made by the build (resources/)
#include "shell/sprite_ids.h"
#include "shell/string_ids.h"
#include "shell/world_layout.h"

// What an actor is. Kinds below KIND_MOGULS have behaviour and states; the
// static kinds from KIND_MOGULS on are made with a sprite instead of a state.
// The numbers are stored in records, replays and dumps and never change: a
// new moving kind would renumber the static ones, so it cannot be added
// without re-recording every golden run; a new static kind goes at the end.
// KindDefaultState (actors/actor_tables.cpp) has a row per moving kind.
enum ActorKind : int32_t {
  KIND_PLAYER = 0,
  KIND_RACER = 1,
  KIND_DOG = 2,
  KIND_BOARDER = 3,
  KIND_LIFT_CHAIR = 4,
  KIND_MONSTER_TOP = 5,
  KIND_MONSTER_BOTTOM = 6,
  KIND_MONSTER_LEFT = 7,
  KIND_MONSTER_RIGHT = 8,
  KIND_BURNING_TREE = 9,
  KIND_WALKING_TREE = 10,
  KIND_MOGULS = 11,
  KIND_GATE = 12,
  KIND_TREE = 13,  // also the lift towers
  KIND_STONE = 14,
  KIND_BUMP = 15,
  KIND_RAMP = 16,
  KIND_SCENERY = 17,
  KIND_NONE = 18,  // a chooser's "create nothing"
};

// Actor flags.
constexpr uint32_t ACTOR_DRAWN = 0x01;
constexpr uint32_t ACTOR_GHOST = 0x02;
constexpr uint32_t ACTOR_RECT_VALID = 0x04;
constexpr uint32_t ACTOR_DEAD = 0x08;
constexpr uint32_t ACTOR_IN_PAINT = 0x10;
constexpr uint32_t ACTOR_CHANGED = 0x20;
constexpr uint32_t ACTOR_FLAT = 0x40;

// Edges of the view, for spawning.
constexpr int EDGE_LEFT = 0;
constexpr int EDGE_RIGHT = 1;
constexpr int EDGE_TOP = 2;
constexpr int EDGE_BOTTOM = 3;

// Table sizes, fixed for the whole process.
constexpr int kStringCacheSize = 20;
// Entry 0 is the empty sprite; the bitmaps are 1 to kSpriteBitmapCount, the
// length of resources/sprite_sizes.cmake's list, which sprite_ids.h must end at.
constexpr int kSpriteCount = kSpriteBitmapCount + 1;
constexpr int kLastSpriteId = SPRITE_WALKING_TREE_RIGHT;
static_assert(kLastSpriteId == kSpriteBitmapCount,
              "sprite_ids.h and resources/sprite_sizes.cmake list different sprites");
constexpr int kActorPoolSize = 100;
constexpr int kPlacedObjectCount = 256;
constexpr int kSoundCount = 9;

// One image in the sprite sheets, indexed by its bitmap resource id.
struct Sprite {
  HDC imageDc;
  HDC maskDc;
  int16_t sheetY;
  int16_t width;
  int16_t height;
  int16_t area;
};

struct PlacedObject;

// One live object on the slope, or an erase-copy of an image still on screen.
struct Actor {
  Actor* next;
  Actor* ghost;
  Actor* groupNext;
  PlacedObject* placed;
  uint16_t spriteIndex;
  Sprite* sprite;
  int32_t kind;
  int32_t state;
  RECT screenRect;
  RECT paintRect;
  int16_t x, y, z;
  int16_t dx, dy, dz;
  uint32_t flags;
};

// A permanent object of the courses, lift or monsters; owns an Actor only
// while it is near the view.
struct PlacedObject {
  Actor* actor;
  Sprite* sprite;
  uint16_t spriteIndex;
  int32_t kind;
  int32_t state;
  int16_t x, y, z;
  int16_t dx, dy, dz;
  int32_t stamp;
};

// A contiguous run of PlacedObject records.
struct PlacedList {
  PlacedObject* first;
  PlacedObject* end;
  PlacedObject* cursor;
};

// The speeds one state of a self-propelled figure tends to.
struct MotionRule {
  int16_t forwardAccel;
  int16_t forwardTarget;
  int16_t sideAccel;
  int16_t sideRatio;
  int16_t sideDir;
  int32_t state;
};

// One wave resource.
struct SoundClip {
  HGLOBAL resource;
  const void* data;
};

typedef BOOL(WINAPI* WavePlayer)(LPCSTR sound, UINT flags);
