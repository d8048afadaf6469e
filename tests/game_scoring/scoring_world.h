// A bare world for the scoring tests: a player on the snow, the slalom gates
// laid out as the game lays them, the game's own string table, the headless
// desktop (which records boxes and sounds) and a fresh data directory for
// "tolvane.ini".
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless.h"
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

  // Message boxes and sounds since the test began (or since the last forget).
  std::vector<HeadlessMessageBox> boxes() const;
  std::vector<HeadlessSound> sounds() const;
  void forgetBoxes() { boxesSeen = headlessMessageBoxes().size(); }
  bool anyAssertionShown() const;

  // The text of "tolvane.ini" in the data directory, or "" if there is none.
  std::string profileText() const;
  void writeProfile(const std::string& text) const;
  std::string profilePath() const { return dataDir + "/tolvane.ini"; }
  // A key's value in section "Snowvel" exactly as the file holds it,
  // trailing blanks included; "" when it is not there.
  std::string storedLine(const char* key) const;

  Actor player{};
  Sprite sprites[kSpriteCount]{};
  PlacedObject placed[kPlacedObjectCount]{};
  char* strings[kStringCacheSize]{};
  std::string dataDir;
  size_t boxesSeen = 0;
};

constexpr int kSlalomGates = 24;
