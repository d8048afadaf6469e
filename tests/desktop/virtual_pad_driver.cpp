// Loaded into the game by the desktop suite (LD_PRELOAD), never linked into
// it: plugs virtual game controllers into the game's own SDL and works them
// from the commands it reads, one per line, from the FIFO named by
// SNOWVEL_TEST_PAD_FIFO:
//   plug N | unplug N | button N NAME 0|1 | axis N NAME VALUE
// with N a slot of our own (0..7) and NAME as SDL's controller mappings
// spell it (a, start, back, dpdown, leftx, ...).
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

SDL_Joystick* slots[8] = {};

int deviceIndexOf(SDL_JoystickID id) {
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
  return -1;
}

void plug(int slot) {
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = "Snowvel test pad";
  int index = SDL_JoystickAttachVirtualEx(&desc);
  slots[slot] = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
  if (slots[slot] == nullptr) std::fprintf(stderr, "virtual pad: %s\n", SDL_GetError());
}

void unplug(int slot) {
  if (slots[slot] == nullptr) return;
  int index = deviceIndexOf(SDL_JoystickInstanceID(slots[slot]));
  SDL_JoystickClose(slots[slot]);
  slots[slot] = nullptr;
  if (index >= 0) SDL_JoystickDetachVirtual(index);
}

void run(const std::string& command) {
  std::istringstream words(command);
  std::string verb, name;
  int slot = -1, value = 0;
  words >> verb >> slot;
  if (slot < 0 || slot >= 8) return;
  if (verb == "plug") return plug(slot);
  if (verb == "unplug") return unplug(slot);
  words >> name >> value;
  if (slots[slot] == nullptr) return;
  if (verb == "button") {
    SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
    SDL_JoystickSetVirtualButton(slots[slot], button, static_cast<Uint8>(value));
  } else if (verb == "axis") {
    SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name.c_str());
    SDL_JoystickSetVirtualAxis(slots[slot], axis, static_cast<Sint16>(value));
  }
}

void readCommands(std::string fifo) {
  // Reopened whenever the writer closes it, so each command may come alone.
  for (;;) {
    std::ifstream commands(fifo);
    if (!commands) return;
    for (std::string line; std::getline(commands, line);) run(line);
  }
}

__attribute__((constructor)) void startDriver() {
  const char* fifo = std::getenv("SNOWVEL_TEST_PAD_FIFO");
  if (fifo != nullptr) std::thread(readCommands, std::string(fifo)).detach();
}

}  // namespace
