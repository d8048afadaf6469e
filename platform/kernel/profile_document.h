// A profile (.ini) file as lines of bytes, and the lookups and edits the
// private profile functions make on it. Pure functions over memory: no files,
// no globals, any input accepted (binary, NUL bytes, any line endings), so
// they can be fuzzed on their own. Every line that an edit does not touch is
// written back byte for byte, its line ending included.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ProfileLine {
  std::string text;    // without its line ending
  std::string ending;  // "\n", "\r\n", "\r", or "" on a last line without one
};

struct ProfileDocument {
  std::vector<ProfileLine> lines;
};

enum class ProfileLineKind {
  Blank,
  Comment,  // first non-blank character ';'
  Section,  // "[name]": the name runs to the first ']', or to the end
  Entry,    // "name=value"
  Other,    // anything else: kept, never matched
};

// One line's meaning; name and value are trimmed views into the line's text.
struct ProfileLineView {
  ProfileLineKind kind = ProfileLineKind::Blank;
  std::string_view name;
  std::string_view value;
};

ProfileDocument parseProfile(std::string_view bytes);
std::string serialiseProfile(const ProfileDocument& document);
ProfileLineView classifyProfileLine(std::string_view text);

// Removes the blanks (space, tab, CR, VT, FF) at both ends.
std::string_view trimBlanks(std::string_view text);

// The value of key in the first section of that name, trimmed and without a
// matching pair of surrounding quotes; names match without regard to ASCII
// case and are trimmed first. Only the first section of a name counts, and in
// it the first entry of a key.
std::optional<std::string> findProfileValue(const ProfileDocument& document,
                                            std::string_view section, std::string_view key);

// Section names in file order, each name once.
std::vector<std::string> profileSectionNames(const ProfileDocument& document);
// Key names of the first section of that name, in file order, each once.
std::vector<std::string> profileKeyNames(const ProfileDocument& document, std::string_view section);

// Whether the names and value can be written without changing the meaning of
// other lines: no line breaks anywhere, no ']' in a section name, no '=' in a
// key, a key not starting with '[' or ';', and neither name empty.
bool isWritableSectionName(std::string_view section);
bool isWritableKeyName(std::string_view key);
bool isWritableValue(std::string_view value);

// Edits; each returns whether the document changed. A new section goes at the
// end of the document, a new key after the last non-blank line of its section.
bool setProfileValue(ProfileDocument& document, std::string_view section, std::string_view key,
                     std::string_view value);
bool deleteProfileKey(ProfileDocument& document, std::string_view section, std::string_view key);
// Removes the section's header and every line up to the next section.
bool deleteProfileSection(ProfileDocument& document, std::string_view section);
