#include "platform/gdi/gdi_objects.h"

#include <array>

namespace {

// Windows allows about 65536 GDI handles per session; so do we.
constexpr uint32_t kMaxSlots = 0xFFFF;

struct Slot {
  GdiKind kind = GdiKind::None;
  uint16_t generation = 0;
  bool stock = false;
  std::unique_ptr<GdiDc> dc;
  std::unique_ptr<GdiBitmap> bitmap;
  std::unique_ptr<GdiBrush> brush;
  std::unique_ptr<GdiPen> pen;
  std::unique_ptr<GdiFont> font;
};

struct ObjectTable {
  std::vector<Slot> slots;
  std::vector<uint32_t> freeSlots;
  std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> stock = {};
  HBITMAP defaultBitmap = nullptr;
  int liveCount = 0;
  ObjectTable();
};

HGDIOBJ handleFor(uint32_t index, uint16_t generation) {
  return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(generation) << 16 | index);
}

// Takes a free slot (index 0 is never used, so no handle is 0).
HGDIOBJ addSlot(ObjectTable& table, Slot&& filled) {
  uint32_t index;
  if (!table.freeSlots.empty()) {
    index = table.freeSlots.back();
    table.freeSlots.pop_back();
  } else {
    if (table.slots.size() >= kMaxSlots) return nullptr;
    if (table.slots.empty()) table.slots.emplace_back();
    index = static_cast<uint32_t>(table.slots.size());
    table.slots.emplace_back();
  }
  Slot& slot = table.slots[index];
  // Generations run 1..0x7FFF so handles stay positive 32-bit values.
  uint16_t generation = static_cast<uint16_t>(slot.generation % 0x7FFF + 1);
  slot = std::move(filled);
  slot.generation = generation;
  if (!slot.stock) ++table.liveCount;
  return handleFor(index, generation);
}

HGDIOBJ addStockBrush(ObjectTable& table, bool hollow, COLORREF color) {
  Slot slot;
  slot.kind = GdiKind::Brush;
  slot.stock = true;
  slot.brush = std::make_unique<GdiBrush>(GdiBrush{hollow, color});
  return addSlot(table, std::move(slot));
}

HGDIOBJ addStockPen(ObjectTable& table, bool hollow, COLORREF color) {
  Slot slot;
  slot.kind = GdiKind::Pen;
  slot.stock = true;
  slot.pen = std::make_unique<GdiPen>(GdiPen{hollow, color});
  return addSlot(table, std::move(slot));
}

HGDIOBJ addStockFont(ObjectTable& table) {
  Slot slot;
  slot.kind = GdiKind::Font;
  slot.stock = true;
  slot.font = std::make_unique<GdiFont>();
  return addSlot(table, std::move(slot));
}

ObjectTable::ObjectTable() {
  stock[WHITE_BRUSH] = addStockBrush(*this, false, RGB(255, 255, 255));
  stock[LTGRAY_BRUSH] = addStockBrush(*this, false, RGB(192, 192, 192));
  stock[GRAY_BRUSH] = addStockBrush(*this, false, RGB(128, 128, 128));
  stock[DKGRAY_BRUSH] = addStockBrush(*this, false, RGB(64, 64, 64));
  stock[BLACK_BRUSH] = addStockBrush(*this, false, RGB(0, 0, 0));
  stock[NULL_BRUSH] = addStockBrush(*this, true, 0);
  stock[WHITE_PEN] = addStockPen(*this, false, RGB(255, 255, 255));
  stock[BLACK_PEN] = addStockPen(*this, false, RGB(0, 0, 0));
  stock[NULL_PEN] = addStockPen(*this, true, 0);
  // One fixed-pitch face stands in for every stock font.
  for (int index : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT,
                    DEVICE_DEFAULT_FONT, SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT}) {
    stock[index] = addStockFont(*this);
  }
  Slot slot;
  slot.kind = GdiKind::Bitmap;
  slot.stock = true;
  slot.bitmap = std::make_unique<GdiBitmap>();
  slot.bitmap->width = 1;
  slot.bitmap->height = 1;
  slot.bitmap->monochrome = true;
  slot.bitmap->mono.assign(1, 0);
  defaultBitmap = static_cast<HBITMAP>(addSlot(*this, std::move(slot)));
}

// Never destroyed: DCs may still be released by other static destructors at
// exit, and must find the table there.
ObjectTable& table() {
  static ObjectTable* instance = new ObjectTable;
  return *instance;
}

Slot* findSlot(HGDIOBJ handle, GdiKind kind) {
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  uint32_t index = static_cast<uint32_t>(value & 0xFFFF);
  uintptr_t generation = value >> 16;
  ObjectTable& objects = table();
  if (index == 0 || index >= objects.slots.size() || generation == 0 || generation > 0x7FFF) {
    return nullptr;
  }
  Slot& slot = objects.slots[index];
  if (slot.kind == GdiKind::None || slot.generation != generation) return nullptr;
  if (kind != GdiKind::None && slot.kind != kind) return nullptr;
  return &slot;
}

// Every typed lookup finds a slot of its own kind and hands out that kind's object.
template <typename Object>
Object* lookupObject(HGDIOBJ handle, GdiKind kind, std::unique_ptr<Object> Slot::*object) {
  Slot* slot = findSlot(handle, kind);
  return slot ? (slot->*object).get() : nullptr;
}

}  // namespace

GdiDc* gdiLookupDc(HDC handle) {
  return lookupObject(handle, GdiKind::Dc, &Slot::dc);
}

GdiBitmap* gdiLookupBitmap(HGDIOBJ handle) {
  return lookupObject(handle, GdiKind::Bitmap, &Slot::bitmap);
}

GdiBrush* gdiLookupBrush(HGDIOBJ handle) {
  return lookupObject(handle, GdiKind::Brush, &Slot::brush);
}

GdiPen* gdiLookupPen(HGDIOBJ handle) {
  return lookupObject(handle, GdiKind::Pen, &Slot::pen);
}

GdiFont* gdiLookupFont(HGDIOBJ handle) {
  return lookupObject(handle, GdiKind::Font, &Slot::font);
}

GdiKind gdiKindOf(HGDIOBJ handle) {
  Slot* slot = findSlot(handle, GdiKind::None);
  return slot ? slot->kind : GdiKind::None;
}

bool gdiIsStock(HGDIOBJ handle) {
  Slot* slot = findSlot(handle, GdiKind::None);
  return slot && slot->stock;
}

HDC gdiAddDc(std::unique_ptr<GdiDc> dc) {
  Slot slot;
  slot.kind = GdiKind::Dc;
  slot.dc = std::move(dc);
  return static_cast<HDC>(addSlot(table(), std::move(slot)));
}

HBITMAP gdiAddBitmap(std::unique_ptr<GdiBitmap> bitmap) {
  Slot slot;
  slot.kind = GdiKind::Bitmap;
  slot.bitmap = std::move(bitmap);
  return static_cast<HBITMAP>(addSlot(table(), std::move(slot)));
}

HBRUSH gdiAddBrush(std::unique_ptr<GdiBrush> brush) {
  Slot slot;
  slot.kind = GdiKind::Brush;
  slot.brush = std::move(brush);
  return static_cast<HBRUSH>(addSlot(table(), std::move(slot)));
}

void gdiRemoveObject(HGDIOBJ handle) {
  Slot* slot = findSlot(handle, GdiKind::None);
  if (!slot || slot->stock) return;
  ObjectTable& objects = table();
  uint16_t generation = slot->generation;
  *slot = Slot();
  slot->generation = generation;  // the next occupant gets a new one
  objects.freeSlots.push_back(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle) & 0xFFFF));
  --objects.liveCount;
}

HBITMAP gdiDefaultBitmap() {
  return table().defaultBitmap;
}

HGDIOBJ gdiStockObject(int index) {
  ObjectTable& objects = table();
  if (index < 0 || index >= static_cast<int>(objects.stock.size())) return nullptr;
  return objects.stock[index];
}

int gdiLiveObjectCount() {
  return table().liveCount;
}

void gdiApplyDefaultState(GdiDc* dc) {
  dc->textColor = RGB(0, 0, 0);
  dc->bkColor = RGB(255, 255, 255);
  dc->bkMode = OPAQUE;
  gdiSetDcBrush(dc, static_cast<HBRUSH>(gdiStockObject(WHITE_BRUSH)));
  dc->pen = static_cast<HPEN>(gdiStockObject(BLACK_PEN));
  dc->font = static_cast<HFONT>(gdiStockObject(SYSTEM_FONT));
}

void gdiSetDcBrush(GdiDc* dc, HBRUSH brush) {
  if (GdiBrush* old = gdiLookupBrush(dc->brush)) --old->selectCount;
  dc->brush = brush;
  if (GdiBrush* now = gdiLookupBrush(brush)) ++now->selectCount;
}
