#include "platform/settings/player_settings.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "platform/internal/shown_text.h"
#include "platform/kernel/profile_file.h"

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

bool readInts(std::string_view text, int* values, int count, int low, int high) {
  for (int i = 0; i < count; ++i) {
    text = trim(text);
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || value < low || value > high) return false;
    values[i] = value;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
  }
  return trim(text).empty();
}

bool readDisplay(std::string_view key, std::string_view value, DisplaySettings* display) {
  if (key == "window") {
    int v[4];
    if (!readInts(value, v, 4, -100000, 100000) || v[2] < 1 || v[3] < 1 || v[2] > 16384 ||
        v[3] > 16384)
      return false;
    display->window = WindowPlace{v[0], v[1], v[2], v[3]};
    return true;
  }
  if (key == "scale") return readInts(value, &display->scale, 1, 0, 8);
  if (key == "fullscreen" || key == "ghosts") {
    if (value != "yes" && value != "no") return false;
    (key == "ghosts" ? display->ghosts : display->fullscreen) = value == "yes";
    return true;
  }
  return false;
}

}  // namespace

PlayerSettings parseSettings(std::string_view text, std::vector<std::string>* warnings) {
  PlayerSettings settings;
  std::string section;
  int number = 0;
  auto warn = [&](const std::string& what) {
    warnings->push_back("line " + std::to_string(number) + ": " + what);
  };
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = trim(text.substr(at, end - at));
    at = end + 1;
    ++number;
    if (line.size() > kSettingsLineLimit) {
      warn("longer than " + std::to_string(kSettingsLineLimit) + " characters; ignored");
      continue;
    }
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = std::string(line.substr(1, line.size() - 2));
      if (section != "bindings" && section != "display")
        warn("unknown section [" + shownText(section) + "]; its entries are ignored");
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      warn("'" + shownText(line) + "' is no 'name = value'; ignored");
      continue;
    }
    const std::string_view key = trim(line.substr(0, equals));
    const std::string_view value = trim(line.substr(equals + 1));
    if (section == "bindings") {
      const int action = actionByName(key);
      std::string error;
      if (action < 0)
        warn("unknown action '" + shownText(key) + "'; ignored");
      else if (!settings.bindings.bind(action, value, &error, true))
        warn(shownText(error) + " for " + std::string(key) + "; it keeps its default keys");
    } else if (section == "display") {
      if (!readDisplay(key, value, &settings.display))
        warn("'" + shownText(line) + "' is no display setting; the default is kept");
    }
  }
  return settings;
}

std::string formatSettings(const PlayerSettings& settings) {
  std::string out =
      "# Snowvel's settings, kept by the game (snowvel --bind, --bindings).\n"
      "# Keys by their place on the keyboard (the browser's KeyboardEvent.code\n"
      "# names), pad inputs as pad:NAME.\n[bindings]\n";
  for (size_t a = 0; a < inputActions().size(); ++a)
    out += std::string(inputActions()[a].name) + " = " +
           settings.bindings.list(static_cast<int>(a)) + "\n";
  out += "\n[display]\n";
  const DisplaySettings& display = settings.display;
  if (display.window)
    out += "window = " + std::to_string(display.window->x) + " " +
           std::to_string(display.window->y) + " " + std::to_string(display.window->width) + " " +
           std::to_string(display.window->height) + "\n";
  out += "scale = " + std::to_string(display.scale) + "\n";
  out += std::string("fullscreen = ") + (display.fullscreen ? "yes" : "no") + "\n";
  out += std::string("ghosts = ") + (display.ghosts ? "yes" : "no") + "\n";
  return out;
}

std::string settingsPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::string(config) + "/snowvel/settings.ini";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0')
    return std::string(home) + "/.config/snowvel/settings.ini";
  return {};
}

PlayerSettings loadSettings(const std::string& path, std::vector<std::string>* warnings) {
  ProfileBytes file = readProfileBytes(path);
  if (file.status == ProfileReadStatus::Missing) return {};
  if (file.status == ProfileReadStatus::Failed) {
    warnings->push_back(path + " cannot be read (not a plain file?); the defaults are used");
    return {};
  }
  if (file.bytes.size() > kSettingsReadLimit || file.status == ProfileReadStatus::TooLarge) {
    warnings->push_back(path + " is larger than " + std::to_string(kSettingsReadLimit / 1024) +
                        " KiB; only its beginning is read");
    const size_t lastBreak = file.bytes.find_last_of('\n', kSettingsReadLimit - 1);
    file.bytes.resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
  }
  std::vector<std::string> problems;
  PlayerSettings settings = parseSettings(file.bytes, &problems);
  for (const std::string& problem : problems) warnings->push_back(path + " " + problem);
  return settings;
}

bool saveSettings(const std::string& path, const PlayerSettings& settings, std::string* error) {
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !makeDirectories(path.substr(0, slash))) {
    *error = "cannot make the folder " + path.substr(0, slash) + ": " + std::strerror(errno);
    return false;
  }
  if (!replaceFileAtomically(path, formatSettings(settings))) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}
