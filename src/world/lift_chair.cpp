// Chairs ride a closed loop: up the right-hand line with two riders, down
// the left-hand line empty. Near the view a rider may drop off.
#include "world/world.h"

#include "actors/actors.h"
#include "shell/shell.h"

namespace {

constexpr int16_t kLineTop = -1024;
constexpr int16_t kLineBottom = 23552;
constexpr int32_t kFull = 39;
constexpr int32_t kOneRider = 40;
constexpr int32_t kEmpty = 41;

}  // namespace

void stepLiftChair(PlacedObject* chair) {
  if (!GAME_CHECK(chair != nullptr && chair->kind == KIND_LIFT_CHAIR)) return;
  if (chair->y <= kLineTop) {
    chair->state = kEmpty;
    chair->dy = 2;
    chair->x = -144;
    return;
  }
  if (chair->y >= kLineBottom) {
    chair->state = kFull;
    chair->dy = -2;
    chair->x = -112;
    return;
  }
  // Only a chair in sight can lose a rider, so far chairs draw no numbers.
  if (chair->actor == nullptr || chair->state != kFull) return;
  if (randomBelow(1000) != 0) return;
  if (Actor* boarder = createActor(KIND_BOARDER, 33)) {
    setActorPosition(boarder, chair->x, chair->y, chair->z);
  }
  chair->state = kOneRider;
}
