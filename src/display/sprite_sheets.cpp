// The four sprite sheets built from the sprites' bitmaps, and the scratch
// surface the repaint engine composes on. Narrow images (32 pixels or less)
// stack in sheets 32 wide; only the few wide ones share the wide sheets.
#include "display/display.h"
#include "shell/shell.h"

namespace {

constexpr int16_t kNarrowLimit = 32;

struct BitmapSize {
  int16_t width;
  int16_t height;
};

bool readBitmapSize(HBITMAP bitmap, BitmapSize* size) {
  BITMAP info{};
  if (GetObjectA(bitmap, sizeof(info), &info) == 0) return false;
  size->width = int16_t(info.bmWidth);
  size->height = int16_t(info.bmHeight);
  return true;
}

// Gives a new memory surface a bitmap and keeps the one it had; a bitmap that
// cannot be selected is deleted here.
bool createSheet(HDC mainDc, HDC* surface, HBITMAP* initial, int width, int height,
                 bool monochrome) {
  *surface = CreateCompatibleDC(mainDc);
  if (*surface == nullptr) return false;
  HBITMAP bitmap = monochrome ? CreateBitmap(width, height, 1, 1, nullptr)
                              : CreateCompatibleBitmap(mainDc, width, height);
  if (bitmap == nullptr) return false;
  HBITMAP previous = static_cast<HBITMAP>(SelectObject(*surface, bitmap));
  if (previous == nullptr) {
    DeleteObject(bitmap);
    return false;
  }
  *initial = previous;
  return true;
}

// Puts a surface's own first bitmap back and deletes the one it takes out.
void releaseSurfaceBitmap(HDC surface, HBITMAP* initial) {
  if (*initial == nullptr) return;
  HGDIOBJ current = SelectObject(surface, *initial);
  if (current != nullptr) DeleteObject(current);
  *initial = nullptr;
}

void deleteSurface(HDC* surface) {
  if (*surface == nullptr) return;
  DeleteDC(*surface);
  *surface = nullptr;
}

// What the measuring pass learns: the largest image and how tall each pair
// of sheets must be.
struct SheetSizes {
  int16_t maxWidth = 0;
  int16_t maxHeight = 0;
  int16_t narrowHeight = 0;
  int16_t wideHeight = 0;
};

bool measureSprites(SheetSizes* sizes) {
  for (int id = 1; id <= kLastSpriteId; ++id) {
    HBITMAP bitmap = loadSpriteBitmap(id);
    if (bitmap == nullptr) return false;
    BitmapSize size{};
    const bool measured = readBitmapSize(bitmap, &size);
    DeleteObject(bitmap);
    if (!measured) return false;
    if (size.width > sizes->maxWidth) sizes->maxWidth = size.width;
    if (size.height > sizes->maxHeight) sizes->maxHeight = size.height;
    if (size.width > kNarrowLimit) {
      sizes->wideHeight = int16_t(sizes->wideHeight + size.height);
    } else {
      sizes->narrowHeight = int16_t(sizes->narrowHeight + size.height);
    }
  }
  return true;
}

// The four sheets, then the scratch surface, still without a bitmap.
bool createSheets(HDC mainDc, const SheetSizes& sizes) {
  if (!createSheet(mainDc, &world.narrowImageSheet, &world.narrowImageInitial, kNarrowLimit,
                   sizes.narrowHeight, false) ||
      !createSheet(mainDc, &world.narrowMaskSheet, &world.narrowMaskInitial, kNarrowLimit,
                   sizes.narrowHeight, true) ||
      !createSheet(mainDc, &world.wideImageSheet, &world.wideImageInitial, sizes.maxWidth,
                   sizes.wideHeight, false) ||
      !createSheet(mainDc, &world.wideMaskSheet, &world.wideMaskInitial, sizes.maxWidth,
                   sizes.wideHeight, true)) {
    return false;
  }
  world.scratchSurface = CreateCompatibleDC(mainDc);
  return world.scratchSurface != nullptr;
}

// Fills in one Sprite and copies its image and mask to the next free rows of
// its sheets, going through the scratch surface.
bool copySpriteToSheets(int id, int16_t* narrowRow, int16_t* wideRow) {
  HBITMAP bitmap = loadSpriteBitmap(id);
  if (bitmap == nullptr) return false;
  BitmapSize size{};
  if (!readBitmapSize(bitmap, &size)) {
    DeleteObject(bitmap);
    return false;
  }
  Sprite& sprite = world.sprites[id];
  sprite.width = size.width;
  sprite.height = size.height;
  sprite.area = int16_t(size.width * size.height);
  const bool wide = size.width > kNarrowLimit;
  int16_t& row = wide ? *wideRow : *narrowRow;
  sprite.sheetY = row;
  row = int16_t(row + size.height);
  sprite.imageDc = wide ? world.wideImageSheet : world.narrowImageSheet;
  sprite.maskDc = wide ? world.wideMaskSheet : world.narrowMaskSheet;

  HGDIOBJ remembered = SelectObject(world.scratchSurface, bitmap);
  if (remembered == nullptr) {
    DeleteObject(bitmap);
    return false;
  }
  BitBlt(sprite.imageDc, 0, sprite.sheetY, size.width, size.height, world.scratchSurface, 0, 0,
         SRCCOPY);
  // White turns to 1 on the way to monochrome; inverting makes the mask 1
  // wherever the image is not pure white.
  BitBlt(sprite.maskDc, 0, sprite.sheetY, size.width, size.height, world.scratchSurface, 0, 0,
         NOTSRCCOPY);
  SelectObject(world.scratchSurface, remembered);
  DeleteObject(bitmap);
  return true;
}

// The first scratch bitmap: the next multiple of 64 strictly above the
// largest image, so any one image fits.
bool createScratchBitmap(HDC mainDc, const SheetSizes& sizes) {
  world.scratchWidth = int16_t((sizes.maxWidth & ~63) + 64);
  world.scratchHeight = int16_t((sizes.maxHeight & ~63) + 64);
  HBITMAP scratch = CreateCompatibleBitmap(mainDc, world.scratchWidth, world.scratchHeight);
  if (scratch == nullptr) return false;
  HBITMAP initial = static_cast<HBITMAP>(SelectObject(world.scratchSurface, scratch));
  if (initial == nullptr) {
    DeleteObject(scratch);
    return false;
  }
  world.scratchInitial = initial;
  return true;
}

}  // namespace

HBITMAP loadSpriteBitmap(int id) {
  return LoadBitmapA(world.appInstance, MAKEINTRESOURCEA(id));
}

bool loadSpriteSheets(HDC mainDc) {
  world.sprites[SPRITE_NONE] = Sprite{nullptr, nullptr, 0, 0, 0, 0};
  SheetSizes sizes;
  if (!measureSprites(&sizes) || !createSheets(mainDc, sizes)) return false;
  int16_t narrowRow = 0, wideRow = 0;
  for (int id = 1; id <= kLastSpriteId; ++id) {
    if (!copySpriteToSheets(id, &narrowRow, &wideRow)) return false;
  }
  return createScratchBitmap(mainDc, sizes);
}

bool openDisplay(HWND mainWindow) {
  world.mainDc = GetDC(mainWindow);
  if (world.mainDc == nullptr) return false;

  world.narrowImageSheet = world.narrowMaskSheet = nullptr;
  world.wideImageSheet = world.wideMaskSheet = nullptr;
  world.scratchSurface = nullptr;
  world.narrowImageInitial = world.narrowMaskInitial = nullptr;
  world.wideImageInitial = world.wideMaskInitial = nullptr;
  world.scratchInitial = nullptr;

  if (loadSpriteSheets(world.mainDc)) return true;
  showError("Whoa, like, can't load bitmaps!  Yer outa memory, duuude!");
  return false;
}

void closeDisplay(HWND mainWindow) {
  if (world.mainDc != nullptr) ReleaseDC(mainWindow, world.mainDc);
  world.mainDc = nullptr;
  stopTimer();

  releaseSurfaceBitmap(world.narrowImageSheet, &world.narrowImageInitial);
  releaseSurfaceBitmap(world.wideImageSheet, &world.wideImageInitial);
  releaseSurfaceBitmap(world.narrowMaskSheet, &world.narrowMaskInitial);
  releaseSurfaceBitmap(world.wideMaskSheet, &world.wideMaskInitial);
  releaseSurfaceBitmap(world.scratchSurface, &world.scratchInitial);
  world.scratchWidth = world.scratchHeight = 0;

  deleteSurface(&world.narrowImageSheet);
  deleteSurface(&world.wideImageSheet);
  deleteSurface(&world.narrowMaskSheet);
  deleteSurface(&world.wideMaskSheet);
  deleteSurface(&world.scratchSurface);
}
