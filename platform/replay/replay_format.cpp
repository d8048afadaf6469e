// Reading and writing the replay text. The reader takes nothing on trust:
// every number is range-checked and every line must be complete.
#include "platform/replay/replay_format.h"

#include <charconv>
#include <cstring>

#include "platform/internal/screen_layout.h"
#include "platform/internal/shown_text.h"

namespace {

struct EventName {
  BackendEventType type;
  const char* name;
};

constexpr EventName kEventNames[] = {
    {BackendEventType::KeyDown, "key"},
    {BackendEventType::KeyUp, "keyup"},
    {BackendEventType::Char, "char"},
    {BackendEventType::MouseMove, "move"},
    {BackendEventType::MouseDown, "down"},
    {BackendEventType::MouseUp, "up"},
    {BackendEventType::Activate, "activate"},
    {BackendEventType::Deactivate, "deactivate"},
    {BackendEventType::Minimise, "minimise"},
    {BackendEventType::Restore, "restore"},
    {BackendEventType::Resize, "resize"},
    {BackendEventType::Close, "close"},
    {BackendEventType::MessageBoxAnswer, "answer"},
    {BackendEventType::FillScreen, "fill-screen"},
};

// Longest text a box may carry, and the largest sizes and coordinates, so
// that a hostile file cannot ask for absurd values.
constexpr size_t kMostBoxText = 4096;
constexpr size_t kMostProfile = 65536;
constexpr int64_t kMostCoordinate = 1 << 20;

std::string quote(const char* text) {
  std::string out = "\"";
  for (const char* p = text != nullptr ? text : ""; *p != '\0'; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + '"';
}

// One line cut into words; a word in double quotes may hold spaces and the
// escapes quote() writes.
class LineReader {
 public:
  LineReader(std::string_view line, int number) : rest_(line), number_(number) {}

  bool atEnd() {
    skipSpaces();
    return rest_.empty();
  }

  bool word(std::string_view* out) {
    skipSpaces();
    if (rest_.empty()) return false;
    size_t end = rest_.find(' ');
    if (end == std::string_view::npos) end = rest_.size();
    *out = rest_.substr(0, end);
    rest_.remove_prefix(end);
    return true;
  }

  template <typename T>
  bool number(T* out, int64_t least, int64_t most, const char* what) {
    std::string_view text;
    if (!word(&text)) return fail(std::string(what) + " is missing");
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
      return fail(std::string(what) + " is not a number: " + shownText(text));
    if (value < least || value > most)
      return fail(std::string(what) + " is out of range: " + shownText(text));
    *out = static_cast<T>(value);
    return true;
  }

  bool quoted(std::string* out, const char* what, size_t most = kMostBoxText) {
    skipSpaces();
    if (rest_.empty() || rest_.front() != '"')
      return fail(std::string(what) + " must be a quoted text");
    out->clear();
    size_t i = 1;
    for (; i < rest_.size() && rest_[i] != '"'; ++i) {
      char c = rest_[i];
      if (c == '\\') {
        if (++i >= rest_.size()) break;
        const char e = rest_[i];
        if (e == 'n') {
          c = '\n';
        } else if (e == 'x') {
          unsigned value = 0;
          if (i + 2 >= rest_.size() ||
              std::from_chars(rest_.data() + i + 1, rest_.data() + i + 3, value, 16).ptr !=
                  rest_.data() + i + 3)
            return fail(std::string(what) + " has a bad \\x escape");
          c = static_cast<char>(value);
          i += 2;
        } else if (e == '"' || e == '\\') {
          c = e;
        } else {
          return fail(std::string(what) + " has an unknown escape");
        }
      }
      if (out->size() >= most) return fail(std::string(what) + " is too long");
      *out += c;
    }
    if (i >= rest_.size()) return fail(std::string(what) + " has no closing quote");
    rest_.remove_prefix(i + 1);
    return true;
  }

  bool end() {
    if (!atEnd()) return fail("unexpected text at the end: " + shownText(rest_));
    return true;
  }

  bool fail(const std::string& what) {
    if (error_.empty()) error_ = "line " + std::to_string(number_) + ": " + what;
    return false;
  }
  const std::string& error() const { return error_; }

 private:
  void skipSpaces() {
    while (!rest_.empty() && (rest_.front() == ' ' || rest_.front() == '\t'))
      rest_.remove_prefix(1);
  }
  std::string_view rest_;
  int number_;
  std::string error_;
};

bool parseEventArguments(LineReader& in, ReplayItem* item) {
  BackendEvent& e = item->event;
  switch (e.type) {
    case BackendEventType::KeyDown: {
      int repeat = 0;
      if (!in.number(&e.virtualKey, 0, 255, "the key code")) return false;
      if (!in.number(&repeat, 0, 1, "the repeat flag")) return false;
      e.repeat = repeat != 0;
      return true;
    }
    case BackendEventType::KeyUp:
      return in.number(&e.virtualKey, 0, 255, "the key code");
    case BackendEventType::Char:
      return in.number(&e.character, 0, 255, "the character");
    case BackendEventType::MouseMove:
      return in.number(&e.x, -kMostCoordinate, kMostCoordinate, "x") &&
             in.number(&e.y, -kMostCoordinate, kMostCoordinate, "y");
    case BackendEventType::MouseDown:
    case BackendEventType::MouseUp:
      return in.number(&e.x, -kMostCoordinate, kMostCoordinate, "x") &&
             in.number(&e.y, -kMostCoordinate, kMostCoordinate, "y") &&
             in.number(&e.button, 0, 2, "the button");
    case BackendEventType::Resize:
    case BackendEventType::FillScreen:
      return in.number(&e.width, 0, kMostScreenWidth, "the width") &&
             in.number(&e.height, 0, kMostScreenHeight, "the height");
    case BackendEventType::MessageBoxAnswer:
      return in.number(&e.box, 1, INT32_MAX, "the box") &&
             in.number(&e.answer, 0, 255, "the answer");
    default:
      return true;
  }
}

bool parseItem(LineReader& in, std::string_view keyword, int line, ReplayItem* item) {
  item->line = line;
  if (keyword == "t") {
    item->type = ReplayItemType::Clock;
    return in.number(&item->clock, 0, UINT32_MAX, "the clock") &&
           in.number(&item->count, 1, UINT32_MAX, "the count");
  }
  if (keyword == "w") {
    item->type = ReplayItemType::Wait;
    return true;
  }
  if (keyword == "e") {
    item->type = ReplayItemType::Event;
    std::string_view name;
    if (!in.number(&item->windowIndex, 0, 1 << 16, "the window")) return false;
    if (!in.word(&name)) return in.fail("the event is missing");
    for (const EventName& known : kEventNames) {
      if (name == known.name) {
        item->event.type = known.type;
        return parseEventArguments(in, item);
      }
    }
    return in.fail("unknown event " + shownText(name));
  }
  if (keyword == "box") {
    item->type = ReplayItemType::Box;
    return in.number(&item->box, 1, INT32_MAX, "the box") &&
           in.number(&item->boxType, 0, UINT32_MAX, "the box type") &&
           in.quoted(&item->caption, "the caption") && in.quoted(&item->text, "the text");
  }
  if (keyword == "s") {
    item->type = ReplayItemType::Sound;
    return in.number(&item->format.samplesPerSecond, 1, 1000000, "the sample rate") &&
           in.number(&item->format.channels, 1, 2, "the channels") &&
           in.number(&item->format.bitsPerSample, 8, 16, "the bits per sample") &&
           in.number(&item->bytes, 0, INT32_MAX, "the byte count");
  }
  if (keyword == "stop") {
    item->type = ReplayItemType::Stop;
    return true;
  }
  return in.fail("unknown line " + shownText(keyword));
}

}  // namespace

const char* replayEventName(BackendEventType type) {
  for (const EventName& known : kEventNames)
    if (known.type == type) return known.name;
  return "?";
}

namespace {

// The rules a header names, looked for in its first lines, for the message
// that refuses a newer file.
std::string rulesNamedIn(std::string_view text) {
  for (int line = 0; line < 8 && !text.empty(); ++line) {
    const size_t cut = text.find('\n');
    std::string_view row = text.substr(0, cut);
    if (row.substr(0, 6) == "rules ") {
      std::string_view number = row.substr(6);
      while (!number.empty() && (number.back() == '\r' || number.back() == ' '))
        number.remove_suffix(1);
      if (!number.empty() && number.size() < 12 &&
          number.find_first_not_of("0123456789") == std::string_view::npos)
        return std::string(number);
      return "?";
    }
    if (cut == std::string_view::npos) break;
    text.remove_prefix(cut + 1);
  }
  return "?";
}

std::string newerMessage(int line, const std::string& version, const std::string& rules) {
  return "line " + std::to_string(line) + ": this replay is format " + version + ", rules " +
         rules + "; this build plays formats up to " + std::to_string(kReplayVersion) +
         " and rules up to " + std::to_string(kRulesVersion) + " (a newer build made it)";
}

bool isCourseKey(std::string_view word) {
  if (word.empty() || word.size() > 8) return false;
  for (char c : word)
    if (c < 'A' || c > 'Z') return false;
  return true;
}

}  // namespace

bool parseReplay(std::string_view text, Replay* replay, std::string* error) {
  *replay = Replay{};
  const std::string_view whole = text;
  int line = 0;
  bool seenVersion = false, seenScreen = false, ended = false, seenState = false;
  bool seenRules = false;
  bool inStream = false;
  ReplayHeader& header = replay->header;
  while (!text.empty()) {
    size_t cut = text.find('\n');
    const bool lastLine = cut == std::string_view::npos;
    std::string_view row = text.substr(0, lastLine ? text.size() : cut);
    text.remove_prefix(lastLine ? text.size() : cut + 1);
    ++line;
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    LineReader in(row, line);
    if (in.atEnd() || row.front() == '#') continue;
    std::string_view keyword;
    in.word(&keyword);
    bool ok = true;
    const bool inHeader = !inStream && seenVersion;
    if (!seenVersion) {
      if (keyword != "snowvel-replay") {
        *error = "line " + std::to_string(line) + ": not a replay (no snowvel-replay line)";
        return false;
      }
      std::string_view word;
      if (in.word(&word) && word.size() < 12 &&
          word.find_first_not_of("0123456789") == std::string_view::npos) {
        const long long version = std::stoll(std::string(word));
        if (version > kReplayVersion) {
          *error = newerMessage(line, std::string(word), rulesNamedIn(whole));
          return false;
        }
      }
      LineReader again(row, line);
      again.word(&word);
      ok = again.number(&header.version, 1, kReplayVersion, "the version") && again.end();
      if (!ok) {
        *error = again.error();
        return false;
      }
      header.rules = 1;
      seenVersion = true;
    } else if (seenState) {
      ok = in.fail("nothing may follow the state line");
    } else if (ended) {
      if (keyword != "state") {
        ok = in.fail("the end line must be followed by the state line");
      } else {
        if (lastLine) {
          *error =
              "line " + std::to_string(line) + ": the state line is cut off (a truncated file?)";
          return false;
        }
        const size_t at = row.find("state") + 5;
        replay->finalState = std::string(row.substr(std::min(row.size(), at + 1)));
        seenState = true;
      }
    } else if (inHeader && keyword == "rules" && header.version >= 2 && !seenRules) {
      int64_t rules = 0;
      ok = in.number(&rules, 1, INT32_MAX, "the rules version") && in.end();
      if (ok && rules > kRulesVersion) {
        *error = newerMessage(line, std::to_string(header.version), std::to_string(rules));
        return false;
      }
      header.rules = static_cast<int>(rules);
      seenRules = ok;
    } else if (inHeader && keyword == "seed") {
      ok = in.number(&header.seed, 0, UINT32_MAX, "the seed") && in.end();
    } else if (inHeader && keyword == "screen") {
      ok = in.number(&header.screenWidth, 1, kMostScreenWidth, "the screen width") &&
           in.number(&header.screenHeight, 1, kMostScreenHeight, "the screen height") && in.end();
      seenScreen = ok;
    } else if (inHeader && keyword == "scale") {
      ok = in.number(&header.scale, 0, kMostScale, "the scale") && in.end();
    } else if (inHeader && keyword == "tail") {
      ok = in.quoted(&header.tail, "the tail") && in.end();
    } else if (inHeader && header.version >= 2 && keyword == "profile") {
      std::string bytes;
      ok = in.quoted(&bytes, "the profile", kMostProfile) && in.end();
      header.profile = std::move(bytes);
    } else if (inHeader && header.version >= 2 && keyword == "run") {
      RunResult run;
      std::string_view course;
      if (!in.word(&course) || !isCourseKey(course)) {
        ok = in.fail("the run's course must be a word of capitals");
      } else {
        run.course = std::string(course);
        ok = in.number(&run.result, INT32_MIN, INT32_MAX, "the run's result") && in.end();
        header.run = run;
      }
    } else if (keyword == "end") {
      ok = in.end();
      ended = true;
    } else {
      if (!seenScreen) {
        *error = "line " + std::to_string(line) + ": the screen line must come before the stream";
        return false;
      }
      if (header.version >= 2 && !seenRules) {
        *error = "line " + std::to_string(line) + ": the rules line must come before the stream";
        return false;
      }
      inStream = true;
      ReplayItem item;
      ok = parseItem(in, keyword, line, &item) && in.end();
      if (ok) replay->items.push_back(std::move(item));
    }
    if (!ok) {
      *error = in.error();
      if (lastLine) *error += " (the file stops here: a truncated file?)";
      return false;
    }
  }
  if (!seenVersion) {
    *error = "line 1: the file is empty";
    return false;
  }
  if (!ended || !seenState) {
    *error = "line " + std::to_string(line) + ": the replay stops before its " +
             (ended ? "state line" : "end line") + " (a truncated file?)";
    return false;
  }
  return true;
}

std::string describeReplayItem(const ReplayItem& item) {
  switch (item.type) {
    case ReplayItemType::Clock:
      return "the clock reading " + std::to_string(item.clock);
    case ReplayItemType::Wait:
      return "a wait that timed out";
    case ReplayItemType::Event:
      return std::string("the event ") + replayEventName(item.event.type);
    case ReplayItemType::Box:
      return "the message box " + quote(item.caption.c_str());
    case ReplayItemType::Sound:
      return "a sound of " + std::to_string(item.bytes) + " bytes";
    case ReplayItemType::Stop:
      return "the sound stopping";
  }
  return "?";
}

std::string replayHeaderText(const ReplayHeader& header) {
  char line[96];
  std::snprintf(line, sizeof line, "snowvel-replay %d\nrules %d\nseed %u\nscreen %d %d\nscale %d\n",
                kReplayVersion, header.rules, header.seed, header.screenWidth, header.screenHeight,
                header.scale);
  std::string text = line;
  text += "tail " + quote(header.tail.c_str()) + "\n";
  if (header.profile) text += "profile " + quote(header.profile->c_str()) + "\n";
  if (header.run)
    text += "run " + header.run->course + " " + std::to_string(header.run->result) + "\n";
  return text;
}

std::string stateDigest(std::string_view state) {
  uint64_t hash = 14695981039346656037ull;
  for (char c : state) {
    hash ^= static_cast<uint8_t>(c);
    hash *= 1099511628211ull;
  }
  char text[20];
  std::snprintf(text, sizeof text, "#%016llx", static_cast<unsigned long long>(hash));
  return text;
}

bool isStateDigest(std::string_view state) {
  return state.size() == 17 && state[0] == '#' &&
         state.find_first_not_of("0123456789abcdef", 1) == std::string_view::npos;
}

std::string composeRunText(ReplayHeader header, const RunResult& run, const std::string& stream,
                           const std::string& finalState) {
  header.run = run;
  return replayHeaderText(header) + stream + "end\nstate " + finalState + "\n";
}

ReplayWriter::~ReplayWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

bool ReplayWriter::open(const std::string& path, const ReplayHeader& header, std::string* error) {
  header_ = header;
  stream_.clear();
  pendingCount_ = 0;
  if (path.empty()) return true;
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    *error = std::string("cannot write ") + path + ": " + std::strerror(errno);
    return false;
  }
  std::fputs(replayHeaderText(header).c_str(), file_);
  return true;
}

void ReplayWriter::put(const std::string& line) {
  stream_ += line;
  if (file_ != nullptr) std::fputs(line.c_str(), file_);
}

std::string ReplayWriter::streamSoFar() const {
  if (pendingCount_ == 0) return stream_;
  return stream_ + "t " + std::to_string(pendingClock_) + " " + std::to_string(pendingCount_) +
         "\n";
}

void ReplayWriter::flushClock() {
  if (pendingCount_ == 0) return;
  put("t " + std::to_string(pendingClock_) + " " + std::to_string(pendingCount_) + "\n");
  pendingCount_ = 0;
}

void ReplayWriter::clock(uint32_t value) {
  if (pendingCount_ > 0 && value == pendingClock_ && pendingCount_ < UINT32_MAX) {
    ++pendingCount_;
    return;
  }
  flushClock();
  pendingClock_ = value;
  pendingCount_ = 1;
}

void ReplayWriter::wait() {
  flushClock();
  put("w\n");
}

void ReplayWriter::event(const BackendEvent& e, int windowIndex) {
  flushClock();
  char line[96];
  int n = std::snprintf(line, sizeof line, "e %d %s", windowIndex, replayEventName(e.type));
  char* at = line + n;
  const size_t room = sizeof line - static_cast<size_t>(n);
  switch (e.type) {
    case BackendEventType::KeyDown:
      std::snprintf(at, room, " %u %d", e.virtualKey, e.repeat ? 1 : 0);
      break;
    case BackendEventType::KeyUp:
      std::snprintf(at, room, " %u", e.virtualKey);
      break;
    case BackendEventType::Char:
      std::snprintf(at, room, " %u", e.character);
      break;
    case BackendEventType::MouseMove:
      std::snprintf(at, room, " %d %d", e.x, e.y);
      break;
    case BackendEventType::MouseDown:
    case BackendEventType::MouseUp:
      std::snprintf(at, room, " %d %d %d", e.x, e.y, e.button);
      break;
    case BackendEventType::Resize:
    case BackendEventType::FillScreen:
      std::snprintf(at, room, " %d %d", e.width, e.height);
      break;
    case BackendEventType::MessageBoxAnswer:
      std::snprintf(at, room, " %d %d", e.box, e.answer);
      break;
    default:
      break;
  }
  put(std::string(line) + "\n");
}

void ReplayWriter::box(int id, UINT type, const char* caption, const char* text) {
  flushClock();
  put("box " + std::to_string(id) + " " + std::to_string(type) + " " + quote(caption) + " " +
      quote(text) + "\n");
}

void ReplayWriter::sound(const WaveFormat& format, size_t bytes) {
  flushClock();
  put("s " + std::to_string(format.samplesPerSecond) + " " + std::to_string(format.channels) + " " +
      std::to_string(format.bitsPerSample) + " " + std::to_string(bytes) + "\n");
}

void ReplayWriter::stop() {
  flushClock();
  put("stop\n");
}

bool ReplayWriter::finish(const std::string& finalState, std::string* error) {
  flushClock();
  put("end\nstate " + finalState + "\n");
  if (file_ == nullptr) return true;
  const bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
  std::fclose(file_);
  file_ = nullptr;
  if (!ok) *error = std::string("cannot finish the replay: ") + std::strerror(errno);
  return ok;
}
