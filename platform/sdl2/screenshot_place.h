// Where PrintScreen saves its pictures: the user's pictures folder (as
// user-dirs.dirs names it, else ~/Pictures), in a Snowvel folder of its own.
#pragma once

#include <ctime>
#include <functional>
#include <string>

using EnvironmentLookup = std::function<std::string(const char* name)>;

// The pictures folder from the text of a user-dirs.dirs file (empty when it
// has none): its XDG_PICTURES_DIR line, "$HOME/..." or absolute; else
// $XDG_PICTURES_DIR if absolute; else $HOME/Pictures. Empty without a home.
std::string picturesFolder(const EnvironmentLookup& environment, const std::string& userDirs);

// The same, reading user-dirs.dirs from $XDG_CONFIG_HOME or ~/.config.
std::string picturesFolder(const EnvironmentLookup& environment);

// snowvel-YYYY-MM-DD-HHMMSS.png; the n-th further picture of the same
// second gets -2, -3, ... before the extension.
std::string screenshotName(const std::tm& localTime, int sameSecond);
