// Returning the world to its start, and starting and restarting a game.
#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"

namespace {

// Every record free again, the first record of the pool at the head.
void refillActorPool() {
  world.activeList = nullptr;
  world.freeList = nullptr;
  for (int i = kActorPoolSize - 1; i >= 0; --i) {
    world.actorPool[i].next = world.freeList;
    world.freeList = &world.actorPool[i];
  }
}

}  // namespace

bool resetWorld() {
  world.now = GetTickCount();
  seedRandom(world.now);

  refillActorPool();
  world.cameraActor = nullptr;
  world.player = nullptr;
  world.spriteAreaSum = 0;

  world.placedCount = 0;
  world.fastMode = false;
  world.viewY = 0;
  world.viewX = 0;
  world.viewTravelY = 0;
  world.viewTravelX = 0;
  world.style = 0;
  world.slalomRunOn = false;
  world.treeSlalomRunOn = false;
  world.runClock = 0;
  world.timerInterval = 40;
  world.inputRepaintAllowed = true;
  return true;
}

bool startGame() {
  Actor* player = createActor(KIND_PLAYER, STATE_PLAYER_LEFT_ACROSS);
  if (player == nullptr) return false;
  setActorPosition(player, 0, 0, 0);
  world.player = player;
  world.cameraActor = player;

  placeTitleSigns();
  layoutCourses();
  world.paused = false;
  startTimer();
  return true;
}

void newGame() {
  const bool reset = resetWorld();
  // A new game always starts playing.
  if (world.paused) togglePause();
  InvalidateRect(world.mainWindow, nullptr, TRUE);
  if (!reset || !startGame()) {
    DestroyWindow(world.mainWindow);
    return;
  }
  UpdateWindow(world.mainWindow);
}
