// Reading and writing the replay text. The reader takes nothing on trust:
// every number is range-checked and every line must be complete.
#include "platform/replay/replay_format.h"

#include <charconv>
#include <cstring>
#include <iterator>

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

// A name for each kind, in the order of the kinds, so a kind is its index.
// A new kind also stops the build at every switch over the kinds here.
constexpr bool namedInOrder() {
  for (size_t i = 0; i < std::size(kEventNames); ++i)
    if (static_cast<size_t>(kEventNames[i].type) != i) return false;
  return true;
}
static_assert(std::size(kEventNames) == static_cast<size_t>(BackendEventType::FillScreen) + 1,
              "every event kind has its name");
static_assert(namedInOrder(), "the names are in the order of the kinds");

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

// The arguments of an event line into the item's fields.
bool parseEventArguments(LineReader& in, BackendEventType type, ReplayItem* item) {
  item->eventType = static_cast<uint8_t>(type);
  switch (type) {
    case BackendEventType::KeyDown:
      return in.number(&item->small, 0, 255, "the key code") &&
             in.number(&item->flag, 0, 1, "the repeat flag");
    case BackendEventType::KeyUp:
      return in.number(&item->small, 0, 255, "the key code");
    case BackendEventType::Char:
      return in.number(&item->small, 0, 255, "the character");
    case BackendEventType::MouseMove:
      return in.number(&item->a, -kMostCoordinate, kMostCoordinate, "x") &&
             in.number(&item->b, -kMostCoordinate, kMostCoordinate, "y");
    case BackendEventType::MouseDown:
    case BackendEventType::MouseUp:
      return in.number(&item->a, -kMostCoordinate, kMostCoordinate, "x") &&
             in.number(&item->b, -kMostCoordinate, kMostCoordinate, "y") &&
             in.number(&item->small, 0, 2, "the button");
    case BackendEventType::Resize:
    case BackendEventType::FillScreen:
      return in.number(&item->a, 0, kMostScreenWidth, "the width") &&
             in.number(&item->b, 0, kMostScreenHeight, "the height");
    case BackendEventType::MessageBoxAnswer:
      return in.number(&item->a, 1, INT32_MAX, "the box") &&
             in.number(&item->small, 0, 255, "the answer");
    case BackendEventType::Activate:
    case BackendEventType::Deactivate:
    case BackendEventType::Minimise:
    case BackendEventType::Restore:
    case BackendEventType::Close:
      return true;
  }
  return in.fail("unknown event");
}

bool parseEvent(LineReader& in, ReplayItem* item) {
  std::string_view name;
  if (!in.number(&item->c, 0, 1 << 16, "the window")) return false;
  if (!in.word(&name)) return in.fail("the event is missing");
  for (const EventName& known : kEventNames)
    if (name == known.name) return parseEventArguments(in, known.type, item);
  return in.fail("unknown event " + shownText(name));
}

// A box's texts go to the replay's store; the item keeps where.
bool parseBox(LineReader& in, Replay* replay, ReplayItem* item) {
  std::string caption, text;
  if (!in.number(&item->a, 1, INT32_MAX, "the box") ||
      !in.number(&item->b, 0, UINT32_MAX, "the box type") || !in.quoted(&caption, "the caption") ||
      !in.quoted(&text, "the text"))
    return false;
  ReplayBoxText& kept = replay->boxTexts.emplace_back();
  kept.at = static_cast<uint32_t>(replay->boxTextStore.size());
  kept.captionSize = static_cast<uint32_t>(caption.size());
  kept.textSize = static_cast<uint32_t>(text.size());
  replay->boxTextStore += caption;
  replay->boxTextStore += text;
  item->c = static_cast<int32_t>(replay->boxTexts.size() - 1);
  return true;
}

bool parseItem(LineReader& in, std::string_view keyword, Replay* replay, ReplayItem* item) {
  item->b = 1;  // the count of the kinds that repeat
  if (keyword == "t") {
    item->type = ReplayItemType::Clock;
    return in.number(&item->a, 0, UINT32_MAX, "the clock") &&
           in.number(&item->b, 1, UINT32_MAX, "the count");
  }
  if (keyword == "w") {
    item->type = ReplayItemType::Wait;
    return true;
  }
  if (keyword == "e") {
    item->type = ReplayItemType::Event;
    return parseEvent(in, item);
  }
  if (keyword == "box") {
    item->type = ReplayItemType::Box;
    return parseBox(in, replay, item);
  }
  if (keyword == "s") {
    item->type = ReplayItemType::Sound;
    return in.number(&item->a, 1, 1000000, "the sample rate") &&
           in.number(&item->small, 1, 2, "the channels") &&
           in.number(&item->flag, 8, 16, "the bits per sample") &&
           in.number(&item->b, 0, INT32_MAX, "the byte count");
  }
  if (keyword == "stop") {
    item->type = ReplayItemType::Stop;
    return true;
  }
  return in.fail("unknown line " + shownText(keyword));
}

// A wait or a stop right after one of its kind adds to its count.
bool mergeRepeat(const ReplayItem& item, std::deque<ReplayItem>* items) {
  if (item.type != ReplayItemType::Wait && item.type != ReplayItemType::Stop) return false;
  if (items->empty()) return false;
  ReplayItem& last = items->back();
  if (last.type != item.type || last.b == UINT32_MAX) return false;
  if (item.line != last.lineOf(last.b)) last.flag = 1;
  ++last.b;
  return true;
}

}  // namespace

uint32_t ReplayItem::count() const {
  switch (type) {
    case ReplayItemType::Clock:
    case ReplayItemType::Wait:
    case ReplayItemType::Stop:
      return b;
    case ReplayItemType::Event:
    case ReplayItemType::Box:
    case ReplayItemType::Sound:
      return 1;
  }
  return 1;
}

int ReplayItem::lineOf(uint32_t use) const {
  const bool oneLineEach = type == ReplayItemType::Wait || type == ReplayItemType::Stop;
  return oneLineEach && flag == 0 ? line + static_cast<int>(use) : line;
}

BackendEvent ReplayItem::event() const {
  BackendEvent e{};
  e.type = static_cast<BackendEventType>(eventType);
  switch (e.type) {
    case BackendEventType::KeyDown:
      e.repeat = flag != 0;
      e.virtualKey = small;
      break;
    case BackendEventType::KeyUp:
      e.virtualKey = small;
      break;
    case BackendEventType::Char:
      e.character = small;
      break;
    case BackendEventType::MouseMove:
    case BackendEventType::MouseDown:
    case BackendEventType::MouseUp:
      e.x = static_cast<int32_t>(a);
      e.y = static_cast<int32_t>(b);
      e.button = small;
      break;
    case BackendEventType::Resize:
    case BackendEventType::FillScreen:
      e.width = static_cast<int>(a);
      e.height = static_cast<int>(b);
      break;
    case BackendEventType::MessageBoxAnswer:
      e.box = static_cast<int>(a);
      e.answer = small;
      break;
    case BackendEventType::Activate:
    case BackendEventType::Deactivate:
    case BackendEventType::Minimise:
    case BackendEventType::Restore:
    case BackendEventType::Close:
      break;
  }
  return e;
}

WaveFormat ReplayItem::format() const {
  WaveFormat format;
  format.samplesPerSecond = a;
  format.channels = small;
  format.bitsPerSample = flag;
  return format;
}

std::string_view Replay::caption(const ReplayItem& box) const {
  const ReplayBoxText& kept = boxTexts.at(static_cast<size_t>(box.c));
  return std::string_view(boxTextStore).substr(kept.at, kept.captionSize);
}

std::string_view Replay::text(const ReplayItem& box) const {
  const ReplayBoxText& kept = boxTexts.at(static_cast<size_t>(box.c));
  return std::string_view(boxTextStore).substr(kept.at + kept.captionSize, kept.textSize);
}

const char* replayEventName(BackendEventType type) {
  return kEventNames[static_cast<size_t>(type)].name;
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

std::string lineMessage(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

bool isCourseKey(std::string_view word) {
  if (word.empty() || word.size() > 8) return false;
  for (char c : word)
    if (c < 'A' || c > 'Z') return false;
  return true;
}

// The reader, a line at a time: the version line, the header, the stream,
// then the end and state lines. Each part reads its own lines.
class ReplayParser {
 public:
  ReplayParser(std::string_view whole, Replay* replay)
      : whole_(whole), replay_(replay), header_(replay->header) {}

  bool parse(std::string* error) {
    std::string_view text = whole_;
    while (!text.empty()) {
      const size_t cut = text.find('\n');
      last_ = cut == std::string_view::npos;
      std::string_view row = text.substr(0, last_ ? text.size() : cut);
      text.remove_prefix(last_ ? text.size() : cut + 1);
      ++line_;
      if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
      if (!readLine(row, error)) return false;
    }
    return finish(error);
  }

 private:
  bool readLine(std::string_view row, std::string* error) {
    LineReader in(row, line_);
    if (in.atEnd() || row.front() == '#') return true;
    std::string_view keyword;
    in.word(&keyword);
    if (!seenVersion_) return readVersion(row, keyword, error);
    bool ok = true;
    if (seenState_) {
      ok = in.fail("nothing may follow the state line");
    } else if (ended_) {
      ok = readState(in, row, keyword, error);
      if (!ok && !error->empty()) return false;
    } else if (keyword == "end") {
      ok = in.end();
      ended_ = true;
    } else if (!inStream_ && readHeaderLine(in, keyword, &ok, error)) {
      if (!ok && !error->empty()) return false;
    } else {
      if (!readyForStream(error)) return false;
      ok = readStreamLine(in, keyword);
    }
    if (!ok) {
      *error = in.error();
      if (last_) *error += " (the file stops here: a truncated file?)";
    }
    return ok;
  }

  bool readVersion(std::string_view row, std::string_view keyword, std::string* error) {
    if (keyword != "snowvel-replay") {
      *error = lineMessage(line_, "not a replay (no snowvel-replay line)");
      return false;
    }
    LineReader in(row, line_);
    std::string_view word;
    in.word(&word);
    if (in.word(&word) && word.size() < 12 &&
        word.find_first_not_of("0123456789") == std::string_view::npos &&
        std::stoll(std::string(word)) > kReplayVersion) {
      *error = newerMessage(line_, std::string(word), rulesNamedIn(whole_));
      return false;
    }
    LineReader again(row, line_);
    again.word(&word);
    if (!again.number(&header_.version, 1, kReplayVersion, "the version") || !again.end()) {
      *error = again.error();
      return false;
    }
    header_.rules = 1;
    seenVersion_ = true;
    return true;
  }

  // False when the keyword is no header line's; ok says whether it read.
  bool readHeaderLine(LineReader& in, std::string_view keyword, bool* ok, std::string* error) {
    const bool v2 = header_.version >= 2;
    if (keyword == "rules" && v2 && !seenRules_) {
      int64_t rules = 0;
      *ok = in.number(&rules, 1, INT32_MAX, "the rules version") && in.end();
      if (*ok && rules > kRulesVersion) {
        *error = newerMessage(line_, std::to_string(header_.version), std::to_string(rules));
        *ok = false;
      }
      header_.rules = static_cast<int>(rules);
      seenRules_ = *ok;
    } else if (keyword == "seed") {
      *ok = in.number(&header_.seed, 0, UINT32_MAX, "the seed") && in.end();
    } else if (keyword == "screen") {
      *ok = in.number(&header_.screenWidth, 1, kMostScreenWidth, "the screen width") &&
            in.number(&header_.screenHeight, 1, kMostScreenHeight, "the screen height") && in.end();
      seenScreen_ = *ok;
    } else if (keyword == "scale") {
      *ok = in.number(&header_.scale, 0, kMostScale, "the scale") && in.end();
    } else if (keyword == "tail") {
      *ok = in.quoted(&header_.tail, "the tail") && in.end();
    } else if (keyword == "profile" && v2) {
      std::string bytes;
      *ok = in.quoted(&bytes, "the profile", kMostProfile) && in.end();
      header_.profile = std::move(bytes);
    } else if (keyword == "run" && v2) {
      *ok = readRunLine(in);
    } else {
      return false;
    }
    return true;
  }

  bool readRunLine(LineReader& in) {
    std::string_view course;
    if (!in.word(&course) || !isCourseKey(course))
      return in.fail("the run's course must be a word of capitals");
    RunResult run;
    run.course = std::string(course);
    if (!in.number(&run.result, INT32_MIN, INT32_MAX, "the run's result") || !in.end())
      return false;
    header_.run = run;
    return true;
  }

  bool readyForStream(std::string* error) {
    if (!seenScreen_) {
      *error = lineMessage(line_, "the screen line must come before the stream");
      return false;
    }
    if (header_.version >= 2 && !seenRules_) {
      *error = lineMessage(line_, "the rules line must come before the stream");
      return false;
    }
    inStream_ = true;
    return true;
  }

  bool readStreamLine(LineReader& in, std::string_view keyword) {
    ReplayItem item;
    item.line = line_;
    if (!parseItem(in, keyword, replay_, &item) || !in.end()) return false;
    if (!mergeRepeat(item, &replay_->items)) replay_->items.push_back(item);
    return true;
  }

  bool readState(LineReader& in, std::string_view row, std::string_view keyword,
                 std::string* error) {
    if (keyword != "state") return in.fail("the end line must be followed by the state line");
    if (last_) {
      *error = lineMessage(line_, "the state line is cut off (a truncated file?)");
      return false;
    }
    const size_t at = row.find("state") + 5;
    replay_->finalState = std::string(row.substr(std::min(row.size(), at + 1)));
    seenState_ = true;
    return true;
  }

  bool finish(std::string* error) const {
    if (!seenVersion_) {
      *error = "line 1: the file is empty";
      return false;
    }
    if (!ended_ || !seenState_) {
      *error =
          lineMessage(line_, std::string("the replay stops before its ") +
                                 (ended_ ? "state line" : "end line") + " (a truncated file?)");
      return false;
    }
    return true;
  }

  const std::string_view whole_;
  Replay* replay_;
  ReplayHeader& header_;
  int line_ = 0;
  bool last_ = false;
  bool seenVersion_ = false, seenRules_ = false, seenScreen_ = false;
  bool inStream_ = false, ended_ = false, seenState_ = false;
};

}  // namespace

bool parseReplay(std::string_view text, Replay* replay, std::string* error) {
  *replay = Replay{};
  error->clear();
  if (text.size() > kMostReplayBytes) {
    *error = "line 1: the run is larger than " + std::to_string(kMostReplayBytes >> 20) +
             " MB, more than any game writes";
    return false;
  }
  return ReplayParser(text, replay).parse(error);
}

std::string describeReplayItem(const Replay& replay, const ReplayItem& item) {
  switch (item.type) {
    case ReplayItemType::Clock:
      return "the clock reading " + std::to_string(item.clock());
    case ReplayItemType::Wait:
      return "a wait that timed out";
    case ReplayItemType::Event:
      return std::string("the event ") + replayEventName(item.event().type);
    case ReplayItemType::Box:
      return "the message box " + quote(std::string(replay.caption(item)).c_str());
    case ReplayItemType::Sound:
      return "a sound of " + std::to_string(item.bytes()) + " bytes";
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
    case BackendEventType::Activate:
    case BackendEventType::Deactivate:
    case BackendEventType::Minimise:
    case BackendEventType::Restore:
    case BackendEventType::Close:
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
