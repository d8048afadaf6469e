// The repaint engine: finds the images that changed, gathers overlapping
// images into groups, composes each changed group on the scratch surface in
// the painter's order and copies it to the screen in one block transfer.
#include "actors/actors.h"
#include "display/display.h"
#include "shell/shell.h"

namespace {

bool isEraseCopy(const Actor* actor) {
  return (actor->flags & ACTOR_GHOST) != 0;
}

// Images higher up the slope lie behind; a flat decal sorts by its top edge
// so whatever stands on it is drawn over it.
int16_t paintKey(const Actor* actor) {
  if (actor->flags & ACTOR_FLAT) return int16_t(actor->y - actor->sprite->height);
  return actor->y;
}

struct GroupBox {
  int16_t left, top, width, height;
};

GroupBox groupBox(const Actor* leader) {
  const int16_t left = int16_t(leader->paintRect.left);
  const int16_t top = int16_t(leader->paintRect.top);
  return GroupBox{left, top, int16_t(int16_t(leader->paintRect.right) - left),
                  int16_t(int16_t(leader->paintRect.bottom) - top)};
}

bool groupHasWork(Actor* leader) {
  for (Actor* member = leader; member != nullptr; member = member->groupNext) {
    const bool drawn = (member->flags & ACTOR_DRAWN) != 0;
    if (isEraseCopy(member) ? drawn : !drawn) return true;
  }
  return false;
}

// Without a big enough scratch surface the group goes straight to the
// screen: each image ANDed onto white, with no painter's order.
void drawGroupWithoutScratch(HDC dc, Actor* leader, const GroupBox& box) {
  PatBlt(dc, box.left, box.top, box.width, box.height, WHITENESS);
  for (Actor* member = leader; member != nullptr; member = member->groupNext) {
    if (isEraseCopy(member)) {
      member->flags &= ~ACTOR_DRAWN;
      continue;
    }
    const Sprite* sprite = member->sprite;
    const RECT* rect = currentScreenRect(member);
    BitBlt(dc, rect->left, rect->top, sprite->width, sprite->height, sprite->imageDc, 0,
           sprite->sheetY, SRCAND);
    member->flags |= ACTOR_DRAWN;
  }
}

}  // namespace

bool growScratch(int16_t width, int16_t height) {
  if (width <= world.scratchWidth && height <= world.scratchHeight) return true;

  // Sized from the request alone, in steps of 64; one side may shrink.
  world.scratchWidth = int16_t((width & ~63) + 64);
  world.scratchHeight = int16_t((height & ~63) + 64);

  if (world.scratchInitial != nullptr) {
    HGDIOBJ old = SelectObject(world.scratchSurface, world.scratchInitial);
    if (old != nullptr) DeleteObject(old);
    world.scratchInitial = nullptr;
  }

  HBITMAP bitmap = CreateCompatibleBitmap(world.mainDc, world.scratchWidth, world.scratchHeight);
  if (bitmap == nullptr) {
    world.scratchWidth = width;
    world.scratchHeight = height;
    bitmap = CreateCompatibleBitmap(world.mainDc, width, height);
  }
  if (bitmap == nullptr) {
    world.scratchWidth = world.scratchHeight = 0;
    return false;
  }
  HBITMAP initial = static_cast<HBITMAP>(SelectObject(world.scratchSurface, bitmap));
  if (initial == nullptr) {
    // The surface cannot take it: behave as if it could not be made.
    DeleteObject(bitmap);
    world.scratchWidth = world.scratchHeight = 0;
    return false;
  }
  world.scratchInitial = initial;
  return true;
}

void mergeGroups(Actor* leader, Actor* other) {
  if (!GAME_CHECK(leader != nullptr) || !GAME_CHECK(other != nullptr)) return;
  GAME_CHECK(leader->flags & ACTOR_IN_PAINT);
  GAME_CHECK(other->flags & ACTOR_IN_PAINT);
  if (!GAME_CHECK(leader != other)) return;
  Actor* tail = leader;
  while (tail->groupNext != nullptr) {
    tail = tail->groupNext;
    GAME_CHECK(!(tail->flags & ACTOR_IN_PAINT));
  }
  tail->groupNext = other;
  unionRect(&leader->paintRect, &other->paintRect);
  other->flags &= ~ACTOR_IN_PAINT;
}

void drawGroup(HDC dc, Actor* leader) {
  if (!GAME_CHECK(leader != nullptr) || !GAME_CHECK(dc != nullptr)) return;
  GAME_CHECK(leader->flags & ACTOR_IN_PAINT);
  if (!groupHasWork(leader)) return;

  const GroupBox box = groupBox(leader);
  if (!growScratch(box.width, box.height)) {
    drawGroupWithoutScratch(dc, leader, box);
    return;
  }

  Actor* pending[kActorPoolSize];
  int pendingCount = 0;
  for (Actor* member = leader; member != nullptr && pendingCount < kActorPoolSize;
       member = member->groupNext) {
    pending[pendingCount++] = member;
  }

  bool composed = false;
  bool erased = false;
  HDC scratch = world.scratchSurface;
  while (pendingCount > 0) {
    // Drop the erase-copies and find the live image furthest up the slope;
    // on equal keys the earlier one in the group wins.
    int kept = 0;
    int best = -1;
    for (int i = 0; i < pendingCount; ++i) {
      Actor* member = pending[i];
      if (isEraseCopy(member)) {
        if (member->flags & ACTOR_DRAWN) {
          member->flags &= ~ACTOR_DRAWN;
          erased = true;
        }
        continue;
      }
      pending[kept] = member;
      if (best < 0 || paintKey(member) < paintKey(pending[best])) best = kept;
      ++kept;
    }
    pendingCount = kept;
    if (best < 0) break;

    Actor* member = pending[best];
    const Sprite* sprite = member->sprite;
    const RECT* rect = currentScreenRect(member);
    const int16_t w = sprite->width;
    const int16_t h = sprite->height;
    const int16_t ox = int16_t(rect->left - box.left);
    const int16_t oy = int16_t(rect->top - box.top);
    GAME_CHECK(rect->right - rect->left == w);
    GAME_CHECK(rect->bottom - rect->top == h);
    GAME_CHECK(ox >= 0 && oy >= 0);
    GAME_CHECK(w <= box.width && h <= box.height);

    if (!composed) {
      composed = true;
      // An image that covers the whole group needs no white ground first.
      if (ox > 0 || oy > 0 || w < box.width || h < box.height) {
        PatBlt(scratch, 0, 0, box.width, box.height, WHITENESS);
      }
      BitBlt(scratch, ox, oy, w, h, sprite->imageDc, 0, sprite->sheetY, SRCCOPY);
    } else {
      // The mask whitens the image's shape, then the image is ANDed into it:
      // white pixels of the image leave the scratch as it was.
      BitBlt(scratch, ox, oy, w, h, sprite->maskDc, 0, sprite->sheetY, SRCPAINT);
      BitBlt(scratch, ox, oy, w, h, sprite->imageDc, 0, sprite->sheetY, SRCAND);
    }
    member->flags |= ACTOR_DRAWN;
    // The rest keep their chain order, which settles ties.
    for (int i = best; i + 1 < pendingCount; ++i) pending[i] = pending[i + 1];
    --pendingCount;
  }

  if (composed) {
    BitBlt(dc, box.left, box.top, box.width, box.height, scratch, 0, 0, SRCCOPY);
  } else if (erased) {
    PatBlt(dc, box.left, box.top, box.width, box.height, WHITENESS);
  }
}

void repaint(HDC dc, const RECT* region) {
  if (!GAME_CHECK(dc != nullptr) || !GAME_CHECK(region != nullptr)) return;

  // 1. An actor whose new image is exactly its old one takes its drawn state
  //    back; its erase-copy is retired without drawing anything.
  for (Actor* actor = world.activeList; actor != nullptr; actor = actor->next) {
    if (actor->flags & (ACTOR_DRAWN | ACTOR_GHOST | ACTOR_DEAD)) continue;
    Actor* copy = actor->ghost;
    if (copy == nullptr) continue;
    if ((copy->flags & (ACTOR_DRAWN | ACTOR_GHOST)) != (ACTOR_DRAWN | ACTOR_GHOST)) continue;
    if (actor->spriteIndex != copy->spriteIndex) continue;
    if (!rectsEqual(currentScreenRect(actor), currentScreenRect(copy))) continue;
    actor->flags |= ACTOR_DRAWN;
    copy->flags &= ~ACTOR_DRAWN;
    removeActor(copy);
  }

  // 2. Mark every image that meets the region, old and new alike.
  for (Actor* actor = world.activeList; actor != nullptr; actor = actor->next) {
    if (actor->flags & ACTOR_DEAD) {
      actor->flags &= ~ACTOR_IN_PAINT;
      continue;
    }
    const RECT* rect = currentScreenRect(actor);
    if (rectsIntersect(rect, region)) {
      actor->flags |= ACTOR_IN_PAINT;
      actor->paintRect = *rect;
      actor->groupNext = nullptr;
    } else {
      actor->flags &= ~ACTOR_IN_PAINT;
    }
  }

  // 3. Gather overlapping images into groups whose boxes do not overlap.
  for (Actor* p = world.activeList; p != nullptr; p = p->next) {
    if (!(p->flags & ACTOR_IN_PAINT)) continue;
    Actor* partner = p->ghost;
    if (partner != nullptr && (partner->flags & ACTOR_IN_PAINT) &&
        rectsIntersect(&partner->paintRect, &p->paintRect)) {
      mergeGroups(p, partner);
    }
    Actor* o = world.activeList;
    while (o != p && o != nullptr) {
      if ((o->flags & ACTOR_IN_PAINT) && rectsIntersect(&o->paintRect, &p->paintRect)) {
        mergeGroups(p, o);
        o = world.activeList;  // p grew: earlier leaders may meet it now
        continue;
      }
      o = o->next;
    }
  }

  // 4. Draw every group that holds a change.
  for (Actor* actor = world.activeList; actor != nullptr; actor = actor->next) {
    if (actor->flags & ACTOR_IN_PAINT) drawGroup(dc, actor);
  }

  // 5. Retire the erased copies; those still on screen outside the region
  //    wait for a later repaint.
  for (Actor* actor = world.activeList; actor != nullptr; actor = actor->next) {
    if (actor->flags & ACTOR_GHOST) removeActor(actor);
  }
  freeDeadActors();
}

void paintRegion(HDC dc, const RECT* region) {
  if (!GAME_CHECK(dc != nullptr) || !GAME_CHECK(region != nullptr)) return;
  for (Actor* actor = world.activeList; actor != nullptr; actor = actor->next) {
    if (actor->flags & ACTOR_DEAD) continue;
    if (rectsIntersect(currentScreenRect(actor), region)) actor->flags &= ~ACTOR_DRAWN;
  }
  repaint(dc, region);
}

void paintMainWindow(HWND mainWindow) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(mainWindow, &paint);
  if (dc == nullptr) return;
  FillRect(dc, &paint.rcPaint, world.whiteBrush);
  paintRegion(dc, &paint.rcPaint);
  EndPaint(mainWindow, &paint);
}
