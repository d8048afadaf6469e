// Profile lines: parsing, lookups and edits. See profile_document.h.
#include "platform/kernel/profile_document.h"

#include <algorithm>
#include <unordered_set>

#include "platform/internal/same_name.h"

namespace {
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool hasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// Index range [begin, end) of a section's lines after its header.
struct SectionRange {
  size_t header;
  size_t end;
};

std::optional<SectionRange> findSection(const ProfileDocument& document, std::string_view section) {
  const std::string_view wanted = trimBlanks(section);
  const auto& lines = document.lines;
  for (size_t i = 0; i < lines.size(); ++i) {
    const ProfileLineView view = classifyProfileLine(lines[i].text);
    if (view.kind != ProfileLineKind::Section || !sameName(view.name, wanted)) continue;
    size_t end = i + 1;
    while (end < lines.size() &&
           classifyProfileLine(lines[end].text).kind != ProfileLineKind::Section)
      ++end;
    return SectionRange{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> findEntry(const ProfileDocument& document, SectionRange range,
                                std::string_view key) {
  const std::string_view wanted = trimBlanks(key);
  for (size_t i = range.header + 1; i < range.end; ++i) {
    const ProfileLineView view = classifyProfileLine(document.lines[i].text);
    if (view.kind == ProfileLineKind::Entry && sameName(view.name, wanted)) return i;
  }
  return std::nullopt;
}

// New lines follow the file's own convention; a file without one gets "\n".
std::string lineEndingOf(const ProfileDocument& document) {
  for (const ProfileLine& line : document.lines)
    if (!line.ending.empty()) return line.ending;
  return "\n";
}

void insertLine(ProfileDocument& document, size_t at, std::string text) {
  const std::string ending = lineEndingOf(document);
  // The line before may be the file's last one, written without an ending.
  if (at > 0 && document.lines[at - 1].ending.empty()) document.lines[at - 1].ending = ending;
  document.lines.insert(document.lines.begin() + static_cast<std::ptrdiff_t>(at),
                        ProfileLine{std::move(text), ending});
}

// Collects names once each; a set keeps a hostile file of a million distinct
// names from turning this quadratic.
class UniqueNames {
 public:
  void add(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), asciiLower);
    if (seen_.insert(std::move(folded)).second) names_.emplace_back(name);
  }
  std::vector<std::string> take() { return std::move(names_); }

 private:
  std::unordered_set<std::string> seen_;
  std::vector<std::string> names_;
};
}  // namespace

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

ProfileDocument parseProfile(std::string_view bytes) {
  ProfileDocument document;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t stop = bytes.find_first_of("\r\n", start);
    if (stop == std::string_view::npos) {
      document.lines.push_back({std::string(bytes.substr(start)), ""});
      break;
    }
    const size_t endingLength =
        (bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n') ? 2 : 1;
    document.lines.push_back({std::string(bytes.substr(start, stop - start)),
                              std::string(bytes.substr(stop, endingLength))});
    start = stop + endingLength;
  }
  return document;
}

std::string serialiseProfile(const ProfileDocument& document) {
  std::string bytes;
  for (const ProfileLine& line : document.lines) {
    bytes += line.text;
    bytes += line.ending;
  }
  return bytes;
}

ProfileLineView classifyProfileLine(std::string_view text) {
  const std::string_view trimmed = trimBlanks(text);
  if (trimmed.empty()) return {};
  if (trimmed.front() == ';') return {ProfileLineKind::Comment, {}, {}};
  if (trimmed.front() == '[') {
    std::string_view name = trimmed.substr(1);
    name = name.substr(0, name.find(']'));
    return {ProfileLineKind::Section, trimBlanks(name), {}};
  }
  const size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return {ProfileLineKind::Other, {}, {}};
  return {ProfileLineKind::Entry, trimBlanks(trimmed.substr(0, equals)),
          trimBlanks(trimmed.substr(equals + 1))};
}

std::optional<std::string> findProfileValue(const ProfileDocument& document,
                                            std::string_view section, std::string_view key) {
  const auto range = findSection(document, section);
  if (!range) return std::nullopt;
  const auto entry = findEntry(document, *range, key);
  if (!entry) return std::nullopt;
  return std::string(unquote(classifyProfileLine(document.lines[*entry].text).value));
}

std::vector<std::string> profileSectionNames(const ProfileDocument& document) {
  UniqueNames names;
  for (const ProfileLine& line : document.lines) {
    const ProfileLineView view = classifyProfileLine(line.text);
    if (view.kind == ProfileLineKind::Section) names.add(view.name);
  }
  return names.take();
}

std::vector<std::string> profileKeyNames(const ProfileDocument& document,
                                         std::string_view section) {
  UniqueNames names;
  const auto range = findSection(document, section);
  if (!range) return {};
  for (size_t i = range->header + 1; i < range->end; ++i) {
    const ProfileLineView view = classifyProfileLine(document.lines[i].text);
    if (view.kind == ProfileLineKind::Entry) names.add(view.name);
  }
  return names.take();
}

bool isWritableSectionName(std::string_view section) {
  const std::string_view name = trimBlanks(section);
  return !name.empty() && !hasLineBreak(section) && name.find(']') == std::string_view::npos;
}

bool isWritableKeyName(std::string_view key) {
  const std::string_view name = trimBlanks(key);
  return !name.empty() && !hasLineBreak(key) && name.find('=') == std::string_view::npos &&
         name.front() != '[' && name.front() != ';';
}

bool isWritableValue(std::string_view value) {
  return !hasLineBreak(value);
}

bool setProfileValue(ProfileDocument& document, std::string_view section, std::string_view key,
                     std::string_view value) {
  const std::string_view keyName = trimBlanks(key);
  const auto range = findSection(document, section);
  if (!range) {
    insertLine(document, document.lines.size(), "[" + std::string(trimBlanks(section)) + "]");
    insertLine(document, document.lines.size(), std::string(keyName) + "=" + std::string(value));
    return true;
  }
  if (const auto entry = findEntry(document, *range, key)) {
    // Keep the spelling the file already has for the key.
    ProfileLine& line = document.lines[*entry];
    std::string text = std::string(classifyProfileLine(line.text).name) + "=" + std::string(value);
    if (text == line.text) return false;
    line.text = std::move(text);
    return true;
  }
  size_t last = range->end;
  while (last > range->header + 1 &&
         classifyProfileLine(document.lines[last - 1].text).kind == ProfileLineKind::Blank)
    --last;
  insertLine(document, last, std::string(keyName) + "=" + std::string(value));
  return true;
}

bool deleteProfileKey(ProfileDocument& document, std::string_view section, std::string_view key) {
  const auto range = findSection(document, section);
  if (!range) return false;
  const auto entry = findEntry(document, *range, key);
  if (!entry) return false;
  document.lines.erase(document.lines.begin() + static_cast<std::ptrdiff_t>(*entry));
  return true;
}

bool deleteProfileSection(ProfileDocument& document, std::string_view section) {
  const auto range = findSection(document, section);
  if (!range) return false;
  document.lines.erase(document.lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                       document.lines.begin() + static_cast<std::ptrdiff_t>(range->end));
  return true;
}
