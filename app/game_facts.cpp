#include "game_facts.h"

#include "platform/replay/course_names.h"
#include "scoring/score_list.h"
#include "scoring/scoring.h"
#include "shell/game_snapshot.h"
#include "shell/shell.h"
#include "shell/world_layout.h"
#include "state_dump.h"

namespace {
uint32_t ticksBefore = 0;
}

void setTicksBeforeThisGame(uint32_t ticks) {
  ticksBefore = ticks;
}

uint32_t ticksBeforeThisGame() {
  return ticksBefore;
}

uint32_t gameTicks() {
  return ticksRunCount();
}

SkierFacts readSkierFacts() {
  SkierFacts f;
  f.viewX = world.viewX;
  f.viewY = world.viewY;
  f.anchorX = world.anchorX;
  f.anchorY = world.anchorY;
  f.mainWindow = world.mainWindow;
  f.statusWindow = world.statusWindow;
  f.runClock = world.runClock;
  f.style = world.style;
  f.mouseSeen = world.mouseSeen;
  if (const Actor* p = world.player) {
    f.present = true;
    f.x = p->x;
    f.y = p->y;
    f.z = p->z;
    f.sprite = p->spriteIndex;
    f.belowStart = p->y > kStartLineY;
  }
  const PlacedObject* first = nullptr;
  if (world.slalomRunOn) {
    f.course = kSlalomKey;
    first = world.firstSlalomGate;
  } else if (world.treeSlalomRunOn) {
    f.course = kTreeSlalomKey;
    first = world.firstTreeSlalomGate;
  } else if (world.freestyleRunOn) {
    f.course = kFreestyleKey;
  }
  if (first != nullptr && world.nextGate != nullptr) {
    f.gatesPassed = static_cast<int>(world.nextGate - first);
    f.courseTime = static_cast<int32_t>(world.now - static_cast<uint32_t>(world.runStart));
  }
  return f;
}

std::string gameStateText() {
  // Without what only the headless desktop records: its boxes and sounds
  // are checked item by item in the stream.
  GameSnapshot snapshot = takeGameSnapshot();
  snapshot.ticksRun -= ticksBefore;
  return dumpState(snapshot);
}

// The run files' course names follow the game's own keys.
static_assert(courseNameOfKey(kSlalomKey) == "slalom" &&
              courseNameOfKey(kTreeSlalomKey) == "tree-slalom" &&
              courseNameOfKey(kFreestyleKey) == "freestyle");

std::string courseName(const std::string& key) {
  return std::string(courseNameOfKey(key));
}

bool isTimedCourse(const std::string& key) {
  return key != kFreestyleKey;
}

int32_t currentResult(const std::string& key) {
  const GameSnapshot snapshot = takeGameSnapshot();
  return isTimedCourse(key) ? snapshot.runClock : snapshot.style;
}

std::string describeRun(const RunResult& run) {
  std::string name = courseName(run.course);
  if (name.empty()) name = run.course;
  if (!isTimedCourse(run.course)) return name + " " + std::to_string(run.result) + " points";
  const int32_t ms = run.result < 0 ? 0 : run.result;
  char text[40];
  std::snprintf(text, sizeof text, " %d:%02d:%02d.%02d", ms / 3600000, ms / 60000 % 60,
                ms / 1000 % 60, ms % 1000 / 10);
  return name + text;
}

bool freshGame() {
  const GameSnapshot s = takeGameSnapshot();
  return s.player && s.player->x == 0 && s.player->y == 0 && s.player->z == 0 && s.style == 0 &&
         s.runClock == 0 && !s.slalomRunOn && !s.treeSlalomRunOn && !s.freestyleRunOn;
}
