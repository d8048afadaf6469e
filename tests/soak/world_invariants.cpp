#include "world_invariants.h"

#include <algorithm>

#include "display/display.h"

namespace {

bool isLive(const Actor* a) {
  return !(a->flags & (ACTOR_GHOST | ACTOR_DEAD));
}

int64_t liveAreaSum() {
  int64_t sum = 0;
  for (const Actor* a = world.activeList; a != nullptr; a = a->next)
    if (isLive(a)) sum += a->sprite->area;
  return sum;
}

bool inList(const Actor* head, const Actor* record) {
  for (const Actor* a = head; a != nullptr; a = a->next)
    if (a == record) return true;
  return false;
}

// Whether some of the areas add up to exactly target.
bool someAddUpTo(const std::vector<int32_t>& areas, int64_t target) {
  if (target == 0) return true;
  int64_t total = 0;
  for (int32_t area : areas) total += area;
  if (target < 0 || target > total) return false;
  std::vector<char> reachable(static_cast<size_t>(target) + 1, 0);
  reachable[0] = 1;
  for (int32_t area : areas)
    for (int64_t s = target; s >= area; --s)
      if (reachable[s - area]) reachable[s] = 1;
  return reachable[target] != 0;
}

}  // namespace

void WorldInvariants::start() {
  leftCounted_ = world.spriteAreaSum - liveAreaSum();
  rememberLiveRecords();
}

void WorldInvariants::rememberLiveRecords() {
  live_.clear();
  for (const Actor* a = world.activeList; a != nullptr; a = a->next)
    if (isLive(a)) live_.push_back(Seen{a, a->sprite->area});
}

std::string WorldInvariants::checkLists(int* activeCount) {
  int active = 0, free = 0;
  for (const Actor* a = world.activeList; a != nullptr && active <= kActorPoolSize; a = a->next)
    ++active;
  for (const Actor* a = world.freeList; a != nullptr && free <= kActorPoolSize; a = a->next) ++free;
  *activeCount = active;
  if (active + free != kActorPoolSize)
    return std::to_string(free) + " free and " + std::to_string(active) + " active records, not " +
           std::to_string(kActorPoolSize);
  for (const Actor* a = world.activeList; a != nullptr; a = a->next) {
    const std::string which = "record " + std::to_string(a - world.actorPool);
    if ((a->flags & ACTOR_DEAD) && (a->flags & ACTOR_DRAWN)) return which + " is dead and drawn";
    if (a->ghost == nullptr) continue;
    if (a->ghost->ghost != a) return which + ": its partner does not link back";
    const bool ghost = (a->flags & ACTOR_GHOST) != 0;
    if (ghost == ((a->ghost->flags & ACTOR_GHOST) != 0))
      return which + ": linked to a record of its own sort (copy with copy, live with live)";
    if (!inList(world.activeList, a->ghost)) return which + ": its partner is not in activeList";
  }
  return "";
}

// spriteAreaSum counts every live record's sprite, plus, until the next
// resetWorld, the sprites of records that collide removed (it subtracts
// nothing). So the excess over the live records never shrinks within a game,
// and each tick it grows by exactly the areas of some records that left the
// list in that tick.
std::string WorldInvariants::checkCrowdingSum() {
  const int64_t excess = world.spriteAreaSum - liveAreaSum();
  std::string fault;
  if (excess < 0) {
    fault = "spriteAreaSum is " + std::to_string(-excess) + " below the live records' areas";
  } else if (excess != leftCounted_) {
    // A new game starts the count again from nothing.
    const int64_t from = excess < leftCounted_ ? 0 : leftCounted_;
    // Culling takes only records wholly outside activeRect and subtracts
    // them; collide takes records touching another one near the skier, well
    // inside it, and does not. A freed record keeps the rectangle it last had.
    int64_t removedInView = 0;
    std::vector<int32_t> gone;
    std::string goneText;
    for (const Seen& seen : live_) {
      const Actor* a = seen.record;
      // A record culled early in the tick may serve again as an erase-copy
      // before it is freed once more; it then carries the copy's fields.
      if (!inList(world.freeList, a) || (a->flags & ACTOR_GHOST)) continue;
      gone.push_back(a->sprite->area);
      if (rectsIntersect(&a->screenRect, &world.activeRect)) removedInView += a->sprite->area;
      goneText += " [record " + std::to_string(a - world.actorPool) + " flags " +
                  std::to_string(a->flags) + " kind " + std::to_string(a->kind) + " sprite " +
                  std::to_string(a->spriteIndex) + " at " + std::to_string(a->screenRect.left) +
                  "," + std::to_string(a->screenRect.top) + "]";
    }
    if (from == 0 && excess < leftCounted_) {
      // resetWorld freed every record; what is counted again since then
      // must still come from records that went.
      if (!someAddUpTo(gone, excess))
        fault = "after a new game spriteAreaSum exceeds the live records by " +
                std::to_string(excess) + ", which no set of removed records makes up";
    } else if (excess - from != removedInView)
      fault = "spriteAreaSum grew by " + std::to_string(excess - from) +
              " but the records removed in view cover " + std::to_string(removedInView) +
              (someAddUpTo(gone, excess - from) ? " (some removed records make it up)" : "") +
              "; removed:" + goneText;
  }
  leftCounted_ = excess;
  rememberLiveRecords();
  return fault;
}

std::string WorldInvariants::check() {
  int active = 0;
  std::string fault = checkLists(&active);
  if (!fault.empty()) return fault;
  return checkCrowdingSum();
}
