// A bare world for the slope tests: the fixed tables, a 640 x 480 layout
// with no window behind it, a clock the test moves by hand, and every sound
// and invariant report recorded.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/world_state.h"

class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The layout a client area of this size gets (anchor at the centre, a
  // third of the way down; active area 120 wider on every side).
  void layOut(int width, int height);
  Actor* makePlayer(int16_t x, int16_t y, int32_t state);
  Actor* makeActor(int32_t kind, int32_t state, int16_t x, int16_t y);
  Actor* makeScenery(int32_t kind, uint16_t sprite, int16_t x, int16_t y);
  // Seeds the generator so that its next randomBelow(n) gives want.
  void seedForNext(int16_t n, int32_t want);
  // How many numbers were drawn since the seed was last `from`.
  int drawsSince(uint32_t from) const;
  int assertionReports() const;
  std::vector<int> sounds;  // sound ids in the order they were started
  int liveActors() const;   // records in activeList that are neither copies nor dead

  Actor pool[kActorPoolSize]{};
  Sprite sprites[kSpriteCount]{};
  PlacedObject placed[kPlacedObjectCount]{};
  char* strings[kStringCacheSize]{};
};

// The clock the test backend reports.
void setTestClock(uint32_t ms);
