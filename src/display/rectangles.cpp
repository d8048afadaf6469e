// The rectangle operations shared by the repaint engine and the world.
// Right and bottom are exclusive, so rectangles that only share an edge do
// not intersect.
#include "display/display.h"
#include "shell/shell.h"

bool rectsIntersect(const RECT* a, const RECT* b) {
  if (!GAME_CHECK(a != nullptr) || !GAME_CHECK(b != nullptr)) return false;
  return a->right > b->left && a->left < b->right && a->bottom > b->top && a->top < b->bottom;
}

bool rectsEqual(const RECT* a, const RECT* b) {
  if (!GAME_CHECK(a != nullptr) || !GAME_CHECK(b != nullptr)) return false;
  return a->top == b->top && a->left == b->left && a->right == b->right && a->bottom == b->bottom;
}

void unionRect(RECT* destination, const RECT* source) {
  if (!GAME_CHECK(destination != nullptr) || !GAME_CHECK(source != nullptr)) return;
  if (source->left < destination->left) destination->left = source->left;
  if (source->right > destination->right) destination->right = source->right;
  if (source->top < destination->top) destination->top = source->top;
  if (source->bottom > destination->bottom) destination->bottom = source->bottom;
}
