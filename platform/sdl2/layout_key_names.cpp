#include "platform/sdl2/layout_key_names.h"

#include <SDL.h>

#include <cstdlib>

std::vector<std::string> layoutKeyNames(const std::vector<uint16_t>& usages) {
  std::vector<std::string> names(usages.size());
  // The layout is read from the display as the video subsystem starts;
  // without one, SDL's names are a US keyboard's.
  const bool display =
      std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
  const bool wasUp = SDL_WasInit(SDL_INIT_VIDEO) != 0;
  if (!wasUp && display && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return names;
  for (size_t i = 0; i < usages.size(); ++i)
    names[i] = SDL_GetKeyName(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(usages[i])));
  if (!wasUp && display) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return names;
}
