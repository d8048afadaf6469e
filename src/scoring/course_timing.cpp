// Course timing and style points: run starts at the start line, the slalom gates,
// finishes and abandons, the run clock and the freestyle style count.
#include <cstdint>

#include "actors/actors.h"
#include "scoring/score_list.h"
#include "scoring/scoring.h"
#include "shell/shell.h"

namespace {

constexpr int32_t kMissedGatePenaltyMs = 5000;

// The two timed courses differ only in these values; they share runStart,
// runClock and nextGate, which is safe because only one run is ever on.
struct TimedCourse {
  CourseSpan start;
  int16_t finishY;
  bool WorldState::*runOn;
  PlacedObject* WorldState::*firstGate;
  const char* key;
};

constexpr TimedCourse kSlalom = {kSlalomSpan, kSlalomFinishY, &WorldState::slalomRunOn,
                                 &WorldState::firstSlalomGate, kSlalomKey};
constexpr TimedCourse kTreeSlalom = {kTreeSlalomSpan, kLongFinishY, &WorldState::treeSlalomRunOn,
                                     &WorldState::firstTreeSlalomGate, kTreeSlalomKey};

// Clock sums wrap like the tick count itself rather than overflow.
int32_t wrappingDifference(uint32_t a, uint32_t b) {
  return static_cast<int32_t>(a - b);
}

// The checks look only at the player; anything else passed in is ignored.
bool isPlayer(const Actor* actor) {
  if (actor == nullptr || actor != world.player) return false;
  GAME_CHECK(actor->kind == KIND_PLAYER);
  return true;
}

// This move crossed the start line downward inside the course's window.
bool crossedStartWindow(const Actor* player, int16_t px, int16_t py, CourseSpan span) {
  if (!(py <= kStartLineY && kStartLineY < player->y)) return false;
  int32_t xc = crossingValue(player->x, px, player->y, py, kStartLineY);
  return span.left <= xc && xc <= span.right;
}

int32_t crossingTime(const Actor* player, int16_t py, int16_t lineY) {
  return crossingValue(static_cast<int32_t>(world.now), static_cast<int32_t>(world.prevNow),
                       player->y, py, lineY);
}

bool gateMissed(const PlacedObject* gate, int32_t xc) {
  if (gate->spriteIndex == SPRITE_GATE_PASS_LEFT) return xc > gate->x;
  if (gate->spriteIndex == SPRITE_GATE_PASS_RIGHT) return xc < gate->x;
  return false;  // flagged in an earlier attempt: counts as passed
}

void passNextGate(const Actor* player, int16_t px, int16_t py) {
  PlacedObject* gate = world.nextGate;
  if (gate == nullptr || player->y <= gate->y) return;
  // Two gates passed in one move leave the second for the next move, which
  // may not move at all (a crash right at the gate): with no line to follow,
  // the player's own x is where it passes.
  int32_t xc = player->y == py ? player->x : crossingValue(player->x, px, player->y, py, gate->y);
  if (gateMissed(gate, xc)) {
    world.runStart = wrappingDifference(static_cast<uint32_t>(world.runStart),
                                        static_cast<uint32_t>(kMissedGatePenaltyMs));
    setGateFlag(gate, SPRITE_GATE_MISSED);
  } else {
    setGateFlag(gate, SPRITE_GATE_PASSED);
  }
  // The gates of a course follow one another in the table; after the last
  // one comes the finish banner, which the finish test reaches first.
  world.nextGate = gate + 1;
}

// The clock starts at the moment of crossing, found between the two ticks.
void startTimedRun(const TimedCourse& course, const Actor* player, int16_t py) {
  world.*course.runOn = true;
  world.runStart = crossingTime(player, py, kStartLineY);
  world.runClock = wrappingDifference(world.now, static_cast<uint32_t>(world.runStart));
  world.nextGate = world.*course.firstGate;
}

void advanceTimedRun(const TimedCourse& course, const Actor* player, int16_t px, int16_t py) {
  world.runClock = wrappingDifference(world.now, static_cast<uint32_t>(world.runStart));
  if (player->y > course.finishY) {
    // A figure nudged past the line while the clock stood passed it before
    // this move began; following this move back to the line would reach
    // behind the run's own start, by as much as the figure was nudged.
    int32_t finishedAt = py > course.finishY ? static_cast<int32_t>(world.prevNow)
                                             : crossingTime(player, py, course.finishY);
    world.*course.runOn = false;
    world.runClock = wrappingDifference(static_cast<uint32_t>(finishedAt),
                                        static_cast<uint32_t>(world.runStart));
    finishRun();
    recordHighScore(course.key, world.runClock, true);
  } else if (player->y <= kStartLineY) {
    world.*course.runOn = false;  // climbed back above the start: abandoned, flags stay
  } else {
    passNextGate(player, px, py);
  }
}

void checkTimedCourse(const TimedCourse& course, Actor* actor, int16_t px, int16_t py) {
  if (!isPlayer(actor)) return;
  if (world.*course.runOn) {
    advanceTimedRun(course, actor, px, py);
  } else if (crossedStartWindow(actor, px, py, course.start)) {
    startTimedRun(course, actor, py);
  }
}

}  // namespace

// The value at e of the line through (c, a) and (d, b). a - b wraps like the
// tick count, so two ticks on either side of 2^31 are still 40 ms apart; the
// product is then taken in 64 bits so that it cannot overflow, and the
// quotient truncates toward zero as the course timing expects.
int32_t crossingValue(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
  if (!GAME_CHECK(c != d)) return a;
  int64_t span = wrappingDifference(static_cast<uint32_t>(a), static_cast<uint32_t>(b));
  int64_t offset = span * (int64_t{c} - e) / (int64_t{c} - d);
  return wrappingDifference(static_cast<uint32_t>(a), static_cast<uint32_t>(offset));
}

void checkSlalom(Actor* actor, int16_t previousX, int16_t previousY) {
  checkTimedCourse(kSlalom, actor, previousX, previousY);
}

void checkTreeSlalom(Actor* actor, int16_t previousX, int16_t previousY) {
  checkTimedCourse(kTreeSlalom, actor, previousX, previousY);
}

void checkFreestyle(Actor* actor, int16_t previousX, int16_t previousY) {
  if (!isPlayer(actor)) return;
  if (!world.freestyleRunOn) {
    // Style is not reset: a second run goes on from the points gathered.
    if (crossedStartWindow(actor, previousX, previousY, kFreestyleSpan))
      world.freestyleRunOn = true;
    return;
  }
  if (actor->y > kLongFinishY) {
    world.freestyleRunOn = false;
    finishRun();
    recordHighScore(kFreestyleKey, world.style, false);
  } else if (actor->y <= kStartLineY) {
    world.freestyleRunOn = false;
  }
}

// The mark lives on the placed record, so it is still there when the gate
// leaves the view and comes back.
void setGateFlag(PlacedObject* gate, uint16_t spriteIndex) {
  if (!GAME_CHECK(gate != nullptr)) return;
  gate->spriteIndex = spriteIndex;
  gate->sprite = world.sprites != nullptr ? &world.sprites[spriteIndex] : nullptr;
  if (gate->actor != nullptr) setActorSprite(gate->actor, spriteIndex);
}

void finishRun() {
  Actor* player = world.player;
  if (player != nullptr && player->state != STATE_PLAYER_CRASHED &&
      player->state != STATE_PLAYER_TUMBLE)
    setActorState(player, player->z <= 0 ? STATE_PLAYER_LEFT_ACROSS : STATE_PLAYER_AIR_LEFT);
  refreshStatus(world.statusDc);
}

void addStyle(int32_t n) {
  if (!world.freestyleRunOn) return;
  world.style = static_cast<int32_t>(static_cast<uint32_t>(world.style) + static_cast<uint32_t>(n));
}
