// The driver's input script: one timed event per line, checked in full before
// anything is scheduled, so a bad script is reported and never half-played.
#include <cctype>
#include <charconv>
#include <cstring>

#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"
#include "platform/input/input_table.h"
#include "platform/win32/user.h"

namespace {

constexpr uint32_t kLargestPeriod = 100000000;  // over four days of 40 ms periods
constexpr int kLargestCoordinate = 32767;

struct NamedAnswer {
  const char* name;
  int answer;
};
constexpr NamedAnswer kAnswers[] = {{"OK", IDOK},        {"CANCEL", IDCANCEL}, {"YES", IDYES},
                                    {"NO", IDNO},        {"ABORT", IDABORT},   {"RETRY", IDRETRY},
                                    {"IGNORE", IDIGNORE}};

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::vector<std::string_view> splitWords(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    size_t start = i;
    while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool parseNumber(std::string_view word, long long low, long long high, long long* value) {
  long long v = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
  if (ec != std::errc() || end != word.data() + word.size() || v < low || v > high) return false;
  *value = v;
  return true;
}

BackendEvent plainEvent(BackendEventType type) {
  BackendEvent event;
  event.type = type;
  return event;
}

// Reads one line's event into entry; returns an error text or empty.
std::string parseEvent(const std::vector<std::string_view>& words, POINT* mouse,
                       InputScriptEntry* entry) {
  std::string name = upper(words[1]);
  size_t args = words.size() - 2;
  auto needArgs = [&](size_t n) -> std::string {
    if (args == n) return {};
    return "'" + std::string(words[1]) + "' takes " + std::to_string(n) + " argument" +
           (n == 1 ? "" : "s") + ", got " + std::to_string(args);
  };
  std::string problem;
  if (name == "KEY") {
    if (!(problem = needArgs(1)).empty()) return problem;
    bool numLock = false;
    const PhysicalKey* key = physicalKeyByName(words[2], &numLock);
    if (key == nullptr) return "unknown key name '" + std::string(words[2]) + "'";
    // The key by its place, as a keyboard would send it, so bindings apply.
    BackendEvent down = plainEvent(BackendEventType::KeyDown);
    down.virtualKey = numLock && key->numLockMessage != 0 ? key->numLockMessage : key->message;
    down.physicalKey = key->usage;
    down.numLock = numLock;
    BackendEvent up = down;
    up.type = BackendEventType::KeyUp;
    entry->events = {down, up};
  } else if (name == "CHAR") {
    if (!(problem = needArgs(1)).empty()) return problem;
    if (words[2].size() != 1) return "'char' takes a single character";
    BackendEvent ch = plainEvent(BackendEventType::Char);
    ch.character = static_cast<unsigned char>(words[2][0]);
    entry->events = {ch};
  } else if (name == "MOUSE" || name == "RESIZE") {
    if (!(problem = needArgs(2)).empty()) return problem;
    bool resize = name == "RESIZE";
    long long a = 0, b = 0;
    long long low = resize ? 1 : -kLargestCoordinate - 1;
    if (!parseNumber(words[2], low, kLargestCoordinate, &a) ||
        !parseNumber(words[3], low, kLargestCoordinate, &b))
      return resize ? "a size must be two whole numbers from 1 to 32767"
                    : "a position must be two whole numbers from -32768 to 32767";
    BackendEvent event =
        plainEvent(resize ? BackendEventType::Resize : BackendEventType::MouseMove);
    if (resize) {
      event.width = static_cast<int>(a);
      event.height = static_cast<int>(b);
    } else {
      event.x = static_cast<int>(a);
      event.y = static_cast<int>(b);
      *mouse = POINT{event.x, event.y};
    }
    entry->events = {event};
  } else if (name == "CLICK") {
    if (!(problem = needArgs(0)).empty()) return problem;
    BackendEvent down = plainEvent(BackendEventType::MouseDown);
    down.x = mouse->x;
    down.y = mouse->y;
    BackendEvent up = down;
    up.type = BackendEventType::MouseUp;
    entry->events = {down, up};
  } else if (name == "ACTIVATE" || name == "DEACTIVATE" || name == "MINIMISE" ||
             name == "MINIMIZE" || name == "RESTORE") {
    if (!(problem = needArgs(0)).empty()) return problem;
    BackendEventType type = name == "ACTIVATE"     ? BackendEventType::Activate
                            : name == "DEACTIVATE" ? BackendEventType::Deactivate
                            : name == "RESTORE"    ? BackendEventType::Restore
                                                   : BackendEventType::Minimise;
    entry->events = {plainEvent(type)};
  } else if (name == "ANSWER") {
    if (!(problem = needArgs(1)).empty()) return problem;
    std::string answer = upper(words[2]);
    for (const NamedAnswer& a : kAnswers)
      if (answer == a.name) entry->answer = a.answer;
    if (entry->answer == 0) return "unknown answer '" + std::string(words[2]) + "'";
  } else {
    return "unknown event '" + std::string(words[1]) + "'";
  }
  return {};
}

}  // namespace

bool virtualKeyFromName(std::string_view name, UINT* virtualKey) {
  bool numLock = false;
  const PhysicalKey* key = physicalKeyByName(name, &numLock);
  if (key == nullptr) return false;
  *virtualKey = numLock && key->numLockMessage != 0 ? key->numLockMessage : key->message;
  return true;
}

bool parseInputScript(std::string_view text, std::vector<InputScriptEntry>* entries,
                      std::string* error) {
  std::vector<InputScriptEntry> parsed;
  POINT mouse{0, 0};
  uint32_t lastPeriod = 0;
  int lineNumber = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    std::vector<std::string_view> words = splitWords(line);
    if (words.empty() || words[0][0] == '#') continue;
    auto fail = [&](const std::string& why) {
      if (error) *error = "line " + std::to_string(lineNumber) + ": " + why;
      return false;
    };
    long long period = 0;
    if (!parseNumber(words[0], 0, kLargestPeriod, &period))
      return fail("'" + std::string(words[0]) + "' is not a period number (0 to " +
                  std::to_string(kLargestPeriod) + ")");
    if (static_cast<uint32_t>(period) < lastPeriod)
      return fail("period " + std::to_string(period) + " comes after period " +
                  std::to_string(lastPeriod));
    if (words.size() < 2) return fail("an event must follow the period");
    InputScriptEntry entry;
    entry.period = static_cast<uint32_t>(period);
    entry.line = lineNumber;
    std::string problem = parseEvent(words, &mouse, &entry);
    if (!problem.empty()) return fail(problem);
    lastPeriod = entry.period;
    parsed.push_back(std::move(entry));
  }
  if (entries) *entries = std::move(parsed);
  return true;
}

void scheduleInputScript(const std::vector<InputScriptEntry>& entries, uint32_t periodMs) {
  for (const InputScriptEntry& entry : entries) {
    uint64_t at = static_cast<uint64_t>(entry.period) * periodMs;
    if (entry.answer != 0) queueHeadlessAnswerAfter(at, entry.answer);
    for (const BackendEvent& event : entry.events) scheduleHeadlessEventAfter(at, event);
  }
}
