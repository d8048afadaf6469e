// String-table texts, loaded once per id and kept for the life of the process.
#include "shell/shell.h"

const char* loadString(int id) {
  static const char kOutOfMemory[] = "[out o' memory]";
  static char empty[] = "";
  if (!GAME_CHECK(id >= 0 && id < kStringCacheSize) || world.stringCache == nullptr) return empty;
  if (world.stringCache[id] != nullptr) return world.stringCache[id];

  // Room for 255 characters and the terminator.
  char buffer[256];
  int length = LoadStringA(world.appInstance, UINT(id), buffer, int(sizeof(buffer)));
  if (length < 0) length = 0;
  if (length > 255) length = 255;
  buffer[length] = '\0';

  char* text = static_cast<char*>(LocalAlloc(LMEM_FIXED, SIZE_T(length) + 1));
  if (text == nullptr) return kOutOfMemory;  // the slot stays empty: tried again next time
  world.stringCache[id] = text;
  lstrcpyA(text, buffer);
  return text;
}
