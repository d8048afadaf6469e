#include "platform/settings/player_settings.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

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

std::string settingsFileProblem(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0)
    return errno == ENOENT ? "" : path + " cannot be looked at: " + std::strerror(errno);
  if (S_ISLNK(info.st_mode))
    return path + " is a symbolic link; it is left as it is (change the file it names by hand)";
  const ProfileBytes file = readProfileBytes(path);
  if (file.status == ProfileReadStatus::Missing) return "";
  if (file.status == ProfileReadStatus::Failed)
    return path + " cannot be read whole (" +
           (file.error != 0 ? std::strerror(file.error) : "not a plain file") +
           "); it is left as it is";
  if (file.status == ProfileReadStatus::TooLarge || file.bytes.size() > kSettingsReadLimit)
    return path + " is larger than " + std::to_string(kSettingsReadLimit / 1024) +
           " KiB; it is left as it is";
  return "";
}

namespace {

// A value that changed: its section, its key and the line that says it now;
// lastAt is where the file's line that counts for it begins.
struct Change {
  const char* section;
  std::string key, line;
  size_t lastAt = std::string_view::npos;
};

// The lines of settings whose value the file's text does not say.
std::vector<Change> changedLines(std::string_view text, const PlayerSettings& settings) {
  std::vector<std::string> ignored;
  const std::string now = formatSettings(settings);
  const std::string was = formatSettings(parseSettings(text, &ignored));
  std::vector<Change> changes;
  const char* section = "";
  for (size_t at = 0; at < now.size();) {
    const size_t end = now.find('\n', at);
    const std::string line = now.substr(at, end - at);
    at = end + 1;
    if (line == "[bindings]" || line == "[display]")
      section = line == "[display]" ? "display" : "bindings";
    const size_t equals = line.find(" = ");
    if (equals != std::string::npos && was.find("\n" + line + "\n") == std::string::npos)
      changes.push_back({section, line.substr(0, equals), line});
  }
  return changes;
}

}  // namespace

std::string updatedSettingsText(std::string_view text, const PlayerSettings& settings) {
  std::vector<Change> changes = changedLines(text, settings);
  if (changes.empty()) return std::string(text);

  // The line of each key that counts is the last in its section, as read.
  std::string current;
  size_t sectionEnd[2] = {std::string_view::npos, std::string_view::npos};
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = trim(text.substr(at, end - at));
    const size_t begin = at;
    at = end + 1;
    if (line.size() > kSettingsLineLimit || line.empty() || line[0] == '#' || line[0] == ';')
      continue;
    if (line.front() == '[' && line.back() == ']') {
      current = std::string(line.substr(1, line.size() - 2));
    } else if (const size_t equals = line.find('='); equals != std::string_view::npos) {
      for (Change& change : changes)
        if (current == change.section && trim(line.substr(0, equals)) == change.key)
          change.lastAt = begin;
    }
    if (current == "bindings" || current == "display")
      sectionEnd[current == "display"] = std::min(at, text.size());
  }

  // Each change replaces its line, or goes after the last line of its
  // section, or into a section of its own at the end.
  struct Edit {
    size_t at, length;
    std::string bytes;
  };
  std::vector<Edit> edits;
  std::string appended[2];
  for (const Change& change : changes) {
    const int s = change.section[0] == 'd';
    if (change.lastAt != std::string_view::npos) {
      size_t end = std::min(text.find('\n', change.lastAt), text.size());
      if (end > change.lastAt && text[end - 1] == '\r') --end;
      edits.push_back({change.lastAt, end - change.lastAt, change.line});
    } else if (sectionEnd[s] != std::string_view::npos) {
      const bool joined = sectionEnd[s] == text.size() && text.back() != '\n';
      edits.push_back({sectionEnd[s], 0, (joined ? "\n" : "") + change.line + "\n"});
    } else {
      appended[s] += change.line + "\n";
    }
  }
  // From the back, so that the places before each edit still hold.
  std::string out(text);
  std::stable_sort(edits.begin(), edits.end(),
                   [](const Edit& x, const Edit& y) { return x.at < y.at; });
  for (size_t i = edits.size(); i-- > 0;) out.replace(edits[i].at, edits[i].length, edits[i].bytes);
  for (int s = 0; s < 2; ++s) {
    if (appended[s].empty()) continue;
    if (!out.empty() && out.back() != '\n') out += '\n';
    out += std::string(out.empty() ? "" : "\n") + "[" + (s == 1 ? "display" : "bindings") + "]\n" +
           appended[s];
  }
  return out;
}

bool saveSettings(const std::string& path, const PlayerSettings& settings, std::string* error) {
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !makeDirectories(path.substr(0, slash))) {
    *error = "cannot make the folder " + path.substr(0, slash) + ": " + std::strerror(errno);
    return false;
  }
  if (const std::string problem = settingsFileProblem(path); !problem.empty()) {
    *error = problem;
    return false;
  }
  const ProfileBytes file = readProfileBytes(path);
  const std::string text = file.status == ProfileReadStatus::Read
                               ? updatedSettingsText(file.bytes, settings)
                               : formatSettings(settings);
  if (!replaceFileItself(path, text)) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}
