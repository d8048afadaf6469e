#include "platform/settings/player_settings.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "platform/internal/screen_layout.h"
#include "platform/internal/shown_text.h"
#include "platform/kernel/profile_document.h"
#include "platform/kernel/profile_file.h"

namespace {

// A line as the settings read it: as a profile's line, with '#' starting a
// comment as well; a line past the limit is looked at no further.
ProfileLineView settingsLine(std::string_view text, bool* tooLong = nullptr) {
  const std::string_view trimmed = trimBlanks(text);
  if (tooLong != nullptr) *tooLong = trimmed.size() > kSettingsLineLimit;
  if (trimmed.size() > kSettingsLineLimit || (!trimmed.empty() && trimmed[0] == '#'))
    return {ProfileLineKind::Comment, {}, {}};
  return classifyProfileLine(trimmed);
}

bool readInts(std::string_view text, int* values, int count, int low, int high) {
  for (int i = 0; i < count; ++i) {
    text = trimBlanks(text);
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || value < low || value > high) return false;
    values[i] = value;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
  }
  return trimBlanks(text).empty();
}

bool readDisplay(std::string_view key, std::string_view value, DisplaySettings* display) {
  if (key == "window") {
    int v[4];
    if (!readInts(value, v, 4, -100000, 100000) || v[2] < 1 || v[3] < 1 || v[2] > kMostScreenSide ||
        v[3] > kMostScreenSide)
      return false;
    display->window = WindowPlace{v[0], v[1], v[2], v[3]};
    return true;
  }
  if (key == "scale") return readInts(value, &display->scale, 1, 0, kMostScale);
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
  const ProfileDocument document = parseProfile(text);
  for (size_t number = 1; number <= document.lines.size(); ++number) {
    auto warn = [&](const std::string& what) {
      warnings->push_back("line " + std::to_string(number) + ": " + what);
    };
    const std::string& line = document.lines[number - 1].text;
    bool tooLong = false;
    const ProfileLineView view = settingsLine(line, &tooLong);
    if (tooLong) warn("longer than " + std::to_string(kSettingsLineLimit) + " characters; ignored");
    if (view.kind == ProfileLineKind::Section) {
      section = std::string(view.name);
      if (section != "bindings" && section != "display")
        warn("unknown section [" + shownText(section) + "]; its entries are ignored");
    } else if (view.kind == ProfileLineKind::Other) {
      warn("'" + shownText(trimBlanks(line)) + "' is no 'name = value'; ignored");
    }
    if (view.kind != ProfileLineKind::Entry) continue;
    const std::string_view key = view.name;
    const std::string_view value = view.value;
    if (section == "bindings") {
      KeyBindings* bindings = &settings.bindings;
      int action = actionByName(key);
      if (action < 0) {
        bindings = &settings.viewerBindings;
        action = actionByName(key, viewerActions());
      }
      std::string error;
      if (action < 0)
        warn("unknown action '" + shownText(key) + "'; ignored");
      else if (!bindings->bind(action, value, &error, true))
        warn(shownText(error) + " for " + std::string(key) + "; it keeps its default keys");
    } else if (section == "display") {
      if (!readDisplay(key, value, &settings.display))
        warn("'" + shownText(trimBlanks(line)) + "' is no display setting; the default is kept");
    }
  }
  return settings;
}

std::string formatSettings(const PlayerSettings& settings) {
  std::string out =
      "# Snowvel's settings, kept by the game (snowvel --bind, --bindings).\n"
      "# Keys by their place on the keyboard (the browser's KeyboardEvent.code\n"
      "# names), pad inputs as pad:NAME.\n[bindings]\n";
  for (const KeyBindings* bindings : {&settings.bindings, &settings.viewerBindings})
    for (size_t a = 0; a < bindings->table().size(); ++a)
      out += std::string(bindings->table()[a].name) + " = " + bindings->list(static_cast<int>(a)) +
             "\n";
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
// lastAt is the index of the file's line that counts for it.
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

  // The line of each key that counts is the last in its section, as read;
  // a section ends after its last line that is not blank or a comment.
  ProfileDocument document = parseProfile(text);
  std::string current;
  size_t sectionEnd[2] = {std::string_view::npos, std::string_view::npos};
  for (size_t i = 0; i < document.lines.size(); ++i) {
    const ProfileLineView line = settingsLine(document.lines[i].text);
    if (line.kind == ProfileLineKind::Blank || line.kind == ProfileLineKind::Comment) continue;
    if (line.kind == ProfileLineKind::Section) current = std::string(line.name);
    for (Change& change : changes)
      if (line.kind == ProfileLineKind::Entry && current == change.section &&
          line.name == change.key)
        change.lastAt = i;
    if (current == "bindings" || current == "display") sectionEnd[current == "display"] = i + 1;
  }

  // Each change replaces its line, or goes after the last line of its
  // section, or into a section of its own at the end. Insertions go from the
  // back, so that the places before each still hold.
  std::vector<std::pair<size_t, std::string>> inserts;
  std::vector<std::string> appended[2];
  for (const Change& change : changes) {
    const int s = change.section[0] == 'd';
    if (change.lastAt != std::string_view::npos)
      document.lines[change.lastAt].text = change.line;
    else if (sectionEnd[s] != std::string_view::npos)
      inserts.emplace_back(sectionEnd[s], change.line);
    else
      appended[s].push_back(change.line);
  }
  auto add = [&document](size_t at, std::string line) {
    // The line before may be the file's last one, written without an ending.
    if (at > 0 && document.lines[at - 1].ending.empty()) document.lines[at - 1].ending = "\n";
    document.lines.insert(document.lines.begin() + static_cast<std::ptrdiff_t>(at),
                          ProfileLine{std::move(line), "\n"});
  };
  std::stable_sort(inserts.begin(), inserts.end(),
                   [](const auto& x, const auto& y) { return x.first < y.first; });
  for (size_t i = inserts.size(); i-- > 0;) add(inserts[i].first, inserts[i].second);
  for (int s = 0; s < 2; ++s) {
    if (appended[s].empty()) continue;
    if (!document.lines.empty()) add(document.lines.size(), "");
    add(document.lines.size(), std::string("[") + (s == 1 ? "display" : "bindings") + "]");
    for (std::string& line : appended[s]) add(document.lines.size(), std::move(line));
  }
  return serialiseProfile(document);
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
