// Dogs trot to the right in two frames, bark when touched and, now and then
// after barking, leave a yellow stain behind.
#include "world/behaviour_steps.h"

#include "actors/actors.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "world/world.h"

namespace {

void leaveStain(int16_t x, int16_t y, int16_t z) {
  Actor* stain = createActorWithSprite(KIND_SCENERY, SPRITE_YELLOW_SNOW);
  if (stain != nullptr)
    setActorPosition(stain, static_cast<int16_t>(x - 4), static_cast<int16_t>(y - 2), z);
}

}  // namespace

void updateDog(Actor* dog) {
  int32_t newState = dog->state;
  switch (dog->state) {
    case STATE_DOG_TROT_1:
      dog->dy = static_cast<int16_t>(randomBelow(3) - 1);
      moveActor(dog);
      newState = STATE_DOG_TROT_2;
      break;
    case STATE_DOG_TROT_2:
      dog->dx = 4;
      moveActor(dog);
      newState = STATE_DOG_TROT_1;
      break;
    case STATE_DOG_BARK_1: {
      dog->dx = 0;
      dog->dy = 0;
      const int32_t r = randomBelow(32);
      moveActor(dog);
      newState = r != 0 ? STATE_DOG_BARK_2 : STATE_DOG_TROT_1;
      break;
    }
    case STATE_DOG_BARK_2: {
      const int32_t r = randomBelow(100);
      if (r != 0) {
        moveActor(dog);
        newState = STATE_DOG_BARK_1;
      } else {
        // The stain marks where the dog stood before this step.
        leaveStain(dog->x, dog->y, dog->z);
        playSound(SOUND_YELLOW_SNOW);
        moveActor(dog);
        newState = STATE_DOG_TROT_1;
      }
      break;
    }
    default:
      moveActor(dog);
      break;
  }
  setActorState(dog, newState);
}
