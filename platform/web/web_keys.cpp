// The page's keys, by the desktop's rules (platform/input): what a key of the
// browser sends, and the player's bindings, which the keys panel shows and
// changes. The page keeps only their text (the settings file's lines) in its
// storage and hands it back at the start.
#include <emscripten/emscripten.h>

#include <string>

#include "platform/backend.h"
#include "platform/input/input_table.h"
#include "platform/input/key_bindings.h"
#include "platform/web/web_bridge.h"
#include "platform/web/web_bridge_values.h"
#include "platform/web/web_state.h"
#include "platform/win32/user.h"

namespace {

bool isAction(int action) {
  return action >= 0 && action < static_cast<int>(inputActions().size());
}

}  // namespace

void loadPageBindings() {
  snowvel_web_load_bindings();
}

// usage is the key's place (the input table's; 0 for a key it lacks), typed
// the character the key typed (a KeyboardEvent.key of one letter), else 0.
// A keypad key that typed had NumLock on, as the browser decided.
extern "C" EMSCRIPTEN_KEEPALIVE const int32_t* snowvel_web_key(int usage, int typed) {
  using namespace web_bridge;
  static int32_t fields[kKeyFieldCount];
  const PhysicalKey* key = physicalKeyByUsage(static_cast<uint16_t>(usage));
  const bool numLock = typed != 0;
  const UINT natural =
      unboundMessage(key, typed > 0 && typed < 0x80 ? static_cast<char>(typed) : 0, numLock);
  const UINT message = keyBindings().messageFor(static_cast<uint16_t>(usage), numLock, natural);
  fields[kKeyNatural] = static_cast<int32_t>(natural);
  fields[kKeyMessage] = static_cast<int32_t>(message);
  fields[kKeyAction] = keyBindings().actionForKey(static_cast<uint16_t>(usage));
  // The game's keys and the whole keypad lose their browser meaning (find,
  // scrolling, bookmarks); every other key keeps it.
  fields[kKeyHeld] = isGameMessage(message) || isGameMessage(natural) ||
                     (natural >= VK_NUMPAD0 && natural <= VK_DIVIDE);
  fields[kKeyTypes] = keyMakesCharacter(natural);
  return fields;
}

// The action's keys or pad inputs become those of list, a line of the
// settings file ("KeyS", "pad:a", "ArrowLeft Numpad4 pad:left"): "" when
// done, else why not. Stored lists may share pad inputs, as the defaults do.
extern "C" EMSCRIPTEN_KEEPALIVE const char* snowvel_web_bind(int action, const char* list,
                                                             int stored) {
  static std::string error;
  error.clear();
  if (!isAction(action)) return "no such action";
  releasePads();
  return keyBindings().bind(action, list, &error, stored != 0) ? "" : error.c_str();
}

// The action's keys and pad inputs as the settings file writes them.
extern "C" EMSCRIPTEN_KEEPALIVE const char* snowvel_web_binding_list(int action) {
  static std::string list;
  list = isAction(action) ? keyBindings().list(action) : "";
  return list.c_str();
}

extern "C" EMSCRIPTEN_KEEPALIVE void snowvel_web_reset_bindings() {
  releasePads();
  keyBindings().reset();
}
