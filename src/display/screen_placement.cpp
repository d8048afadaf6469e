// Where world positions land in the client area, and how the view follows
// the camera actor. World units and pixels are the same size; sums wrap at
// 16 bits like the world coordinates themselves.
#include "actors/actors.h"
#include "display/display.h"
#include "shell/shell.h"

void computeScreenRect(RECT* rect, const Sprite* sprite, int16_t x, int16_t y, int16_t z) {
  if (!GAME_CHECK(rect != nullptr) || !GAME_CHECK(sprite != nullptr)) return;
  // The position is the bottom centre of the image; an odd width puts its
  // extra column right of the centre.
  rect->left = int16_t(x - world.viewX + world.anchorX - sprite->width / 2);
  rect->right = rect->left + sprite->width;
  rect->top = int16_t(y - world.viewY + world.anchorY - z - sprite->height);
  rect->bottom = rect->top + sprite->height;
}

RECT* actorScreenRect(Actor* actor) {
  if (!GAME_CHECK(actor != nullptr)) return nullptr;
  GAME_CHECK(!(actor->flags & ACTOR_RECT_VALID));
  GAME_CHECK(actor->spriteIndex != SPRITE_NONE);
  GAME_CHECK(actor->sprite == &world.sprites[actor->spriteIndex]);
  computeScreenRect(&actor->screenRect, actor->sprite, actor->x, actor->y, actor->z);
  actor->flags |= ACTOR_RECT_VALID;
  return &actor->screenRect;
}

// The kept rectangle while it is still right, else a fresh one.
const RECT* currentScreenRect(Actor* actor) {
  if (actor->flags & ACTOR_RECT_VALID) return &actor->screenRect;
  return actorScreenRect(actor);
}

void scrollView(int16_t newX, int16_t newY) {
  const int16_t dX = int16_t(newX - world.viewX);
  const int16_t dY = int16_t(newY - world.viewY);
  for (Actor* actor = world.activeList; actor != nullptr; actor = actor->next) {
    if (actor == world.cameraActor || !(actor->flags & ACTOR_RECT_VALID) ||
        (actor->flags & ACTOR_GHOST)) {
      continue;
    }
    // The screen's pixels stay put: the old image becomes an erase-copy,
    // which the walk meets next and passes over.
    if (actor->flags & ACTOR_DRAWN) makeGhost(actor);
    actor->screenRect.left -= dX;
    actor->screenRect.right -= dX;
    actor->screenRect.top -= dY;
    actor->screenRect.bottom -= dY;
  }
  world.viewY = newY;
  world.viewX = newX;
}

void setAnchor(int16_t x, int16_t y) {
  for (Actor* actor = world.activeList; actor != nullptr; actor = actor->next) {
    if (!(actor->flags & ACTOR_RECT_VALID) || (actor->flags & ACTOR_GHOST)) continue;
    if (actor->flags & ACTOR_DRAWN) makeGhost(actor);
    actor->flags &= ~ACTOR_RECT_VALID;
  }
  world.anchorY = y;
  world.anchorX = x;
}

namespace {

// Pixels outside the client area are gone once the window shrinks, so an
// erase-copy lying wholly outside it has nothing left to erase. Retiring it
// here keeps such copies from holding pool records across any number of
// resizes; the next freeDeadActors returns them to the pool.
void retireStrandedCopies() {
  for (Actor* actor = world.activeList; actor != nullptr; actor = actor->next) {
    const uint32_t drawnCopy = ACTOR_GHOST | ACTOR_DRAWN;
    if ((actor->flags & drawnCopy) != drawnCopy) continue;
    if (rectsIntersect(&actor->screenRect, &world.clientRect)) continue;
    actor->flags &= ~ACTOR_DRAWN;
    removeActor(actor);
  }
}

}  // namespace

void layoutView(HWND mainWindow) {
  world.mouseSeen = false;
  RECT client{0, 0, 0, 0};
  GetClientRect(mainWindow, &client);
  world.clientRect = client;
  setAnchor(int16_t((client.left + client.right) / 2), int16_t((client.top + client.bottom) / 3));
  world.activeRect =
      RECT{client.left - 120, client.top - 120, client.right + 120, client.bottom + 120};
  world.clientHeight = int16_t(client.bottom - client.top);
  world.clientWidth = int16_t(client.right - client.left);
  world.activeArea =
      (world.activeRect.bottom - world.activeRect.top) * (client.right - client.left + 240);
  retireStrandedCopies();
}
