// The permanent records of the courses, lift and monsters, and how they come
// to life as actors when the view comes near them.
#include "world/world.h"

#include "actors/actors.h"
#include "display/display.h"
#include "shell/shell.h"

namespace {

// The rows, relative to the view, from 60 pixels above the active rectangle
// to just short of 60 pixels below it.
struct ViewWindow {
  int16_t top;
  int16_t bottom;
};

ViewWindow viewWindow() {
  return {static_cast<int16_t>(world.activeRect.top - world.anchorY - 60),
          static_cast<int16_t>(world.activeRect.bottom - world.anchorY + 60)};
}

int16_t rowOf(const PlacedObject* object) {
  return static_cast<int16_t>(object->y - world.viewY);
}

bool inWindow(const PlacedObject* object, ViewWindow window) {
  const int16_t row = rowOf(object);
  return row >= window.top && row < window.bottom;
}

}  // namespace

void clearPlacedList(PlacedList* list) {
  if (!GAME_CHECK(list != nullptr)) return;
  list->first = nullptr;
}

PlacedObject* addPlacedObject(PlacedList* list, const PlacedObject* templ) {
  if (!GAME_CHECK(list != nullptr && templ != nullptr)) return nullptr;
  // The layout uses fewer than half the records; a full table places nothing more.
  if (!GAME_CHECK(world.placedCount < kPlacedObjectCount)) return nullptr;
  PlacedObject* record = &world.placedObjects[world.placedCount++];

  if (list->first == nullptr) list->first = list->end = list->cursor = record;
  // A list's records lie next to each other in the table.
  GAME_CHECK(list->end == record);
  list->end = record + 1;

  *record = *templ;
  record->actor = nullptr;
  record->sprite = &world.sprites[record->spriteIndex];
  return record;
}

Actor* materialise(PlacedObject* object) {
  if (!GAME_CHECK(object != nullptr)) return nullptr;
  if (object->actor != nullptr) return object->actor;

  RECT image;
  computeScreenRect(&image, object->sprite, object->x, object->y, object->z);
  if (!rectsIntersect(&image, &world.activeRect)) return nullptr;

  Actor* actor = object->spriteIndex != SPRITE_NONE
                     ? createActorWithSprite(object->kind, object->spriteIndex)
                     : createActor(object->kind, object->state);
  if (actor == nullptr) return nullptr;  // tried again on a later tick
  setActorPosition(actor, object->x, object->y, object->z);
  object->actor = actor;
  actor->placed = object;
  return actor;
}

void streamPlacedList(PlacedList* list) {
  if (!GAME_CHECK(list != nullptr)) return;
  if (list->first == nullptr) return;
  if (!GAME_CHECK(list->first <= list->cursor && list->cursor <= list->end)) return;

  const ViewWindow window = viewWindow();
  PlacedObject* cursor = list->cursor;
  // The records are in order of y, so the cursor rests on the first one
  // that is not above the window, whichever way the view moved.
  while (cursor < list->end && rowOf(cursor) < window.top) ++cursor;
  while (cursor > list->first && rowOf(cursor - 1) >= window.top) --cursor;
  list->cursor = cursor;

  for (PlacedObject* object = cursor; object < list->end && rowOf(object) < window.bottom;
       ++object) {
    materialise(object);
  }
}

void advanceMovingObjects(PlacedList* list) {
  if (!GAME_CHECK(list != nullptr)) return;
  if (list->first == nullptr) return;
  if (!GAME_CHECK(list->first <= list->end)) return;

  const ViewWindow window = viewWindow();
  for (PlacedObject* object = list->first; object < list->end; ++object) {
    movePlacedObject(object);
    if (inWindow(object, window)) materialise(object);
  }
}
