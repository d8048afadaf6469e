#include "bindings_command.h"

#include <cstdio>

#include "platform/settings/player_settings.h"
#ifdef SNOWVEL_HAVE_SDL2
#include "platform/sdl2/layout_key_names.h"
#endif

namespace {

// By usage: the names the player's layout gives the keys where SDL can read
// them (a display is needed), else the table's US names.
std::vector<std::string> keyNames() {
  std::vector<uint16_t> usages(256);
  for (size_t i = 0; i < usages.size(); ++i) usages[i] = static_cast<uint16_t>(i);
  std::vector<std::string> names(usages.size());
#ifdef SNOWVEL_HAVE_SDL2
  names = layoutKeyNames(usages);
#endif
  for (size_t i = 0; i < names.size(); ++i) {
    const PhysicalKey* key = physicalKeyByUsage(usages[i]);
    if (names[i].empty() && key != nullptr) names[i] = key->label;
  }
  return names;
}

// In words --bind takes back: "Keypad 4 (Numpad4), pad:left".
std::string describe(const KeyBindings& bindings, int action,
                     const std::vector<std::string>& names) {
  std::string out;
  for (uint16_t usage : bindings.keys(action)) {
    if (!out.empty()) out += ", ";
    const std::string& name = names[usage];
    const std::string code = physicalKeyByUsage(usage)->code;
    out += name.empty() || name == code ? code : name + " (" + code + ")";
  }
  for (int input : bindings.pad(action)) out += std::string(", pad:") + kPadInputNames[input];
  return out;
}

void list(const KeyBindings& bindings, const std::vector<std::string>& names) {
  for (size_t a = 0; a < bindings.table().size(); ++a)
    std::printf("%-13s %-41s %s\n", bindings.table()[a].name, bindings.table()[a].label,
                describe(bindings, static_cast<int>(a), names).c_str());
}

}  // namespace

bool applyBindings(const BindingsRequest& request, KeyBindings* game, KeyBindings* viewer,
                   const std::vector<std::string>* layoutNames) {
  KeyBindings changed[] = {*game, *viewer};
  for (KeyBindings& bindings : changed)
    if (request.reset) bindings.reset();
  for (const std::string& bind : request.binds) {
    const size_t equals = bind.find('=');
    const std::string name = bind.substr(0, equals);
    // The game's action of that name, else the viewer's.
    KeyBindings* bindings = &changed[0];
    int action = equals == std::string::npos ? -1 : actionByName(name);
    if (action < 0 && equals != std::string::npos) {
      bindings = &changed[1];
      action = actionByName(name, viewerActions());
    }
    std::string error = "unknown action in '" + bind + "'";
    if (action < 0 ||
        !bindings->bind(action, bind.substr(equals + 1), &error, false, layoutNames)) {
      std::fprintf(stderr, "snowvel: --bind %s: %s (see snowvel --bindings)\n", bind.c_str(),
                   error.c_str());
      return false;
    }
  }
  *game = changed[0];
  *viewer = changed[1];
  return true;
}

int runBindingsCommand(const BindingsRequest& request) {
  const std::string path = settingsPath();
  // A file that cannot be read whole, or a link, is never replaced.
  const bool changing = request.reset || !request.binds.empty();
  if (const std::string problem = path.empty() ? "" : settingsFileProblem(path);
      changing && !problem.empty()) {
    std::fprintf(stderr, "snowvel: the bindings are not saved: %s\n", problem.c_str());
    return 1;
  }
  std::vector<std::string> warnings;
  PlayerSettings settings = path.empty() ? PlayerSettings{} : loadSettings(path, &warnings);
  for (const std::string& warning : warnings)
    std::fprintf(stderr, "snowvel: %s\n", warning.c_str());
  const std::vector<std::string> names = keyNames();
  if (!applyBindings(request, &settings.bindings, &settings.viewerBindings, &names)) return 2;
  if (changing) {
    std::string error = "neither XDG_CONFIG_HOME nor HOME is set";
    if (path.empty() || !saveSettings(path, settings, &error)) {
      std::fprintf(stderr, "snowvel: the bindings are not saved: %s\n", error.c_str());
      return 1;
    }
    std::printf("Saved to %s\n", path.c_str());
  }
  if (request.list) {
    list(settings.bindings, names);
    list(settings.viewerBindings, names);
  }
  return 0;
}
