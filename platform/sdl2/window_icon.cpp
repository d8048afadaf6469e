// The window manager's icon for our windows: the program's icon group
// resource, which holds a whole .ico file.
#include "platform/sdl2/ico_image.h"
#include "platform/sdl2/sdl_state.h"
#include "platform/win32.h"

void setWindowIconFromResources(SDL_Window* window) {
  HRSRC found = FindResourceA(nullptr, "ICONSNOWVEL", RT_GROUP_ICON);
  if (found == nullptr) return;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* bytes = LockResource(loaded);
  DWORD size = SizeofResource(nullptr, found);
  IconImage image;
  if (bytes == nullptr || !decodeIcoFile(static_cast<const uint8_t*>(bytes), size, &image)) return;
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(image.pixels.data(), image.width, image.height, 32,
                                         image.width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return;
  SDL_SetWindowIcon(window, surface);  // SDL keeps its own copy
  SDL_FreeSurface(surface);
}
