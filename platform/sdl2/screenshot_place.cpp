#include "platform/sdl2/screenshot_place.h"

#include <fstream>
#include <sstream>

namespace {

// The value of a `XDG_PICTURES_DIR="..."` line, with $HOME put in.
std::string picturesLine(const std::string& line, const std::string& home) {
  const std::string key = "XDG_PICTURES_DIR=";
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos || line.compare(start, key.size(), key) != 0) return "";
  std::string value = line.substr(start + key.size());
  if (value.size() < 2 || value.front() != '"') return "";
  size_t close = value.find('"', 1);
  if (close == std::string::npos) return "";
  value = value.substr(1, close - 1);
  if (value.rfind("$HOME", 0) == 0) {
    if (home.empty()) return "";
    return home + value.substr(5);
  }
  return value.empty() || value.front() != '/' ? "" : value;
}

}  // namespace

std::string picturesFolder(const EnvironmentLookup& environment, const std::string& userDirs) {
  const std::string home = environment("HOME");
  std::istringstream lines(userDirs);
  std::string found;
  for (std::string line; std::getline(lines, line);)
    if (std::string value = picturesLine(line, home); !value.empty()) found = value;
  if (!found.empty()) return found;
  if (std::string variable = environment("XDG_PICTURES_DIR");
      !variable.empty() && variable.front() == '/')
    return variable;
  return home.empty() ? "" : home + "/Pictures";
}

std::string picturesFolder(const EnvironmentLookup& environment) {
  std::string config = environment("XDG_CONFIG_HOME");
  if (config.empty() || config.front() != '/') {
    const std::string home = environment("HOME");
    config = home.empty() ? "" : home + "/.config";
  }
  std::string userDirs;
  if (!config.empty()) {
    std::ifstream file(config + "/user-dirs.dirs");
    std::ostringstream text;
    text << file.rdbuf();
    userDirs = text.str();
  }
  return picturesFolder(environment, userDirs);
}

std::string screenshotName(const std::tm& localTime, int sameSecond) {
  char stamp[64];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &localTime);
  std::string name = std::string("snowvel-") + stamp;
  if (sameSecond > 0) name += "-" + std::to_string(sameSecond + 1);
  return name + ".png";
}
