// The game's state in plain values, for the driver's end-of-run dump and for
// tests. Reading it changes nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ActorSnapshot {
  int32_t kind;
  int32_t state;
  uint16_t spriteIndex;
  int16_t x, y, z;
  uint32_t flags;
};

struct PlayerSnapshot {
  int16_t x, y, z;
  int16_t dx, dy, dz;
  int32_t state;
};

struct GameSnapshot {
  uint32_t ticksRun;
  std::string title;
  int16_t viewX, viewY;
  int16_t anchorX, anchorY;
  std::optional<PlayerSnapshot> player;
  int32_t style;
  int32_t runClock;
  bool slalomRunOn, treeSlalomRunOn, freestyleRunOn;
  std::vector<ActorSnapshot> actors;  // activeList in order
  int freeRecords;
  uint16_t placedCount;
  uint32_t assertionReports;
};

GameSnapshot takeGameSnapshot();
