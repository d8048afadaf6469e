#include "state_digest.h"

#include "shell/game_snapshot.h"

void StateDigest::fold(int64_t value) {
  for (int i = 0; i < 8; ++i) {
    hash_ ^= static_cast<uint8_t>(value >> (8 * i));
    hash_ *= 16777619u;
  }
}

void StateDigest::add() {
  const GameSnapshot s = takeGameSnapshot();
  for (int64_t v : {int64_t{s.ticksRun}, int64_t{s.viewX}, int64_t{s.viewY}, int64_t{s.anchorX},
                    int64_t{s.anchorY}, int64_t{s.style}, int64_t{s.runClock},
                    int64_t{s.slalomRunOn}, int64_t{s.treeSlalomRunOn}, int64_t{s.freestyleRunOn},
                    int64_t{s.freeRecords}, int64_t{s.placedCount}})
    fold(v);
  fold(s.player.has_value());
  if (s.player) {
    const PlayerSnapshot& p = *s.player;
    for (int64_t v : {p.x, p.y, p.z, p.dx, p.dy, p.dz}) fold(v);
    fold(p.state);
  }
  fold(static_cast<int64_t>(s.actors.size()));
  for (const ActorSnapshot& a : s.actors) {
    for (int64_t v : {int64_t{a.kind}, int64_t{a.state}, int64_t{a.spriteIndex}, int64_t{a.x},
                      int64_t{a.y}, int64_t{a.z}, int64_t{a.flags}})
      fold(v);
  }
}
