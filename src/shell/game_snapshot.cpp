// Copies the game's state out into plain values.
#include "shell/game_snapshot.h"

#include "shell/shell.h"

GameSnapshot takeGameSnapshot() {
  GameSnapshot snapshot{};
  snapshot.ticksRun = ticksRunCount();
  if (world.mainWindow != nullptr) {
    char title[256] = "";
    GetWindowTextA(world.mainWindow, title, sizeof(title));
    snapshot.title = title;
  }
  snapshot.viewX = world.viewX;
  snapshot.viewY = world.viewY;
  snapshot.anchorX = world.anchorX;
  snapshot.anchorY = world.anchorY;
  if (const Actor* p = world.player) {
    snapshot.player = PlayerSnapshot{p->x, p->y, p->z, p->dx, p->dy, p->dz, p->state};
  }
  snapshot.style = world.style;
  snapshot.runClock = world.runClock;
  snapshot.slalomRunOn = world.slalomRunOn;
  snapshot.treeSlalomRunOn = world.treeSlalomRunOn;
  snapshot.freestyleRunOn = world.freestyleRunOn;
  // Bounded by the pool size, so a damaged list cannot loop forever.
  int walked = 0;
  for (const Actor* a = world.activeList; a != nullptr && walked < kActorPoolSize;
       a = a->next, ++walked) {
    snapshot.actors.push_back(
        ActorSnapshot{a->kind, a->state, a->spriteIndex, a->x, a->y, a->z, a->flags});
  }
  walked = 0;
  for (const Actor* a = world.freeList; a != nullptr && walked < kActorPoolSize;
       a = a->next, ++walked) {
  }
  snapshot.freeRecords = walked;
  snapshot.placedCount = world.placedCount;
  snapshot.assertionReports = assertionReportCount();
  return snapshot;
}
