// The lift chairs and monsters move every tick, near the view or not, and
// their actors follow them.
#include "world/world.h"

#include "actors/actors.h"
#include "shell/shell.h"

void movePlacedObject(PlacedObject* object) {
  if (!GAME_CHECK(object != nullptr)) return;
  object->x = static_cast<int16_t>(object->x + object->dx);
  object->y = static_cast<int16_t>(object->y + object->dy);
  object->z = static_cast<int16_t>(object->z + object->dz);

  switch (object->kind) {
    case KIND_LIFT_CHAIR:
      stepLiftChair(object);
      break;
    case KIND_MONSTER_TOP:
    case KIND_MONSTER_BOTTOM:
    case KIND_MONSTER_LEFT:
    case KIND_MONSTER_RIGHT:
      stepMonster(object);
      break;
    default:
      GAME_CHECK(false);
      break;
  }

  if (Actor* actor = object->actor) {
    GAME_CHECK(actor->placed == object);
    setActorPosition(actor, object->x, object->y, object->z);
    setActorState(actor, object->state);
  }
}
