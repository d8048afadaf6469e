// --bind, --bindings and --reset-bindings: the player's key bindings changed
// in, and listed from, the settings file, without starting the game.
#pragma once

#include <string>
#include <vector>

#include "platform/input/key_bindings.h"

struct BindingsRequest {
  std::vector<std::string> binds;  // ACTION=KEYS, in order
  bool list = false;
  bool reset = false;
  bool any() const { return list || reset || !binds.empty(); }
};

// Applies the request to the game's and the viewer's bindings; false with a
// message on stderr for an unknown action or key (nothing is applied then).
// Keys may also go by layoutNames, by usage (the names --bindings prints).
bool applyBindings(const BindingsRequest& request, KeyBindings* game, KeyBindings* viewer,
                   const std::vector<std::string>* layoutNames = nullptr);

// Changes and saves the file's bindings, and lists them if asked. Returns
// the exit code.
int runBindingsCommand(const BindingsRequest& request);
