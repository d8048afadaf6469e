// LoadBitmapA: a bitmap resource (a packed DIB, or a whole .bmp file) found
// through the KERNEL resource calls and turned into a device bitmap.
#include "platform/gdi/bitmap_alloc.h"
#include "platform/gdi/dib_decode.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/win32/gdi.h"
#include "platform/win32/kernel.h"

// As on Windows, a 1-bpp image with a black-then-white palette becomes a
// monochrome bitmap; every other image becomes a colour one.
HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name) {
  HMODULE module = reinterpret_cast<HMODULE>(instance);
  HRSRC found = FindResourceA(module, name, RT_BITMAP);
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(module, found);
  const auto* data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (!data) return nullptr;
  DecodedImage image;
  if (!decodeDib(data, SizeofResource(module, found), &image, nullptr)) return nullptr;
  std::unique_ptr<GdiBitmap> bitmap =
      allocateBitmap(image.width, image.height, image.blackAndWhite);
  if (!bitmap) return nullptr;
  if (image.blackAndWhite) {
    for (size_t i = 0; i < image.pixels.size(); ++i) {
      bitmap->mono[i] = image.pixels[i] == 0xFFFFFF ? 0xFF : 0x00;
    }
  } else {
    bitmap->colour = std::move(image.pixels);
  }
  return gdiAddBitmap(std::move(bitmap));
}
