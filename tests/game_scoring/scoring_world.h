// A bare world for the scoring tests: a player on the snow, the slalom gates
// laid out as the game lays them, the strings the panel and the lists use, a
// recording backend and a fresh data directory for "tolvane.ini".
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "recording_backend.h"
#include "shell/world_state.h"

class ScoringWorld : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One tick: the clock moves 40 ms, the player moves to (x, y) and the
  // three course checks run in the order the player's step runs them.
  void skiTo(int16_t x, int16_t y);
  void placePlayer(int16_t x, int16_t y);
  void clearRuns() { world.slalomRunOn = world.treeSlalomRunOn = world.freestyleRunOn = false; }

  PlacedObject* slalomGate(int k) { return &placed[k]; }
  // The text of "tolvane.ini" in the data directory, or "" if there is none.
  std::string profileText() const;
  void writeProfile(const std::string& text) const;
  // A key's value in section "Snowvel" exactly as the file holds it,
  // trailing blanks included; "" when it is not there.
  std::string storedLine(const char* key) const;
  std::string profilePath() const { return dataDir + "/tolvane.ini"; }

  Recording* recording = nullptr;
  Actor player{};
  Sprite sprites[kSpriteCount]{};
  PlacedObject placed[kPlacedObjectCount]{};
  char* strings[kStringCacheSize]{};
  std::string dataDir;
};

constexpr int kSlalomGates = 24;
