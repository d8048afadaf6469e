// What the player chooses and the desktop build remembers between runs: the
// key and pad bindings and the window. One small INI file, read forgivingly
// (a bad entry costs a warning and that entry's default, nothing else) and
// updated line by line, atomically, keeping what it does not understand.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/input/key_bindings.h"

struct WindowPlace {
  int x = 0;  // the client area's top left on the desktop, in real pixels
  int y = 0;
  int width = 0;  // the client area, in game pixels
  int height = 0;
  bool operator==(const WindowPlace&) const = default;
};

struct DisplaySettings {
  std::optional<WindowPlace> window;
  int scale = 0;  // 0: chosen from the desktop's size
  bool fullscreen = false;
  bool ghosts = true;  // a ghost of the best kept run races the player
  bool operator==(const DisplaySettings&) const = default;
};

struct PlayerSettings {
  KeyBindings bindings;
  KeyBindings viewerBindings{viewerActions()};  // in the same section, by their own names
  DisplaySettings display;
  bool operator==(const PlayerSettings&) const = default;
};

// The most of the file that is read, and the longest line looked at.
inline constexpr size_t kSettingsReadLimit = 64 * 1024;
inline constexpr size_t kSettingsLineLimit = 1024;

// Reads the file's text; each problem adds one line to warnings ("line N:
// ..."), and the entry keeps its default.
PlayerSettings parseSettings(std::string_view text, std::vector<std::string>* warnings);
std::string formatSettings(const PlayerSettings& settings);

// $XDG_CONFIG_HOME/snowvel/settings.ini, else ~/.config/snowvel/settings.ini;
// empty when neither variable is set.
std::string settingsPath();

// The defaults when there is no file; warnings name the path.
PlayerSettings loadSettings(const std::string& path, std::vector<std::string>* warnings);
// Why the file at path may not be replaced, or empty when it may (or is not
// there): a symbolic link, no plain file, one that cannot be read, or one
// larger than the read limit is left as it is.
std::string settingsFileProblem(const std::string& path);
// The file's text with the lines of the values that differ from what it says
// rewritten (or added to their section); every other line, comments,
// unknown keys and sections and entries that could not be read, stays.
std::string updatedSettingsText(std::string_view text, const PlayerSettings& settings);
// Makes the folder if need be and replaces the file with its updated text,
// through a temporary file renamed over it; false with the reason in error,
// the file untouched, when settingsFileProblem names one.
bool saveSettings(const std::string& path, const PlayerSettings& settings, std::string* error);
