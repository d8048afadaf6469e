#include "json_writer.h"

#include <cstdio>

JsonWriter& JsonWriter::key(std::string_view name) {
  separate();
  quote(name);
  text_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::number(int64_t number) {
  separate();
  text_ += std::to_string(number);
  return *this;
}

JsonWriter& JsonWriter::boolean(bool truth) {
  separate();
  text_ += truth ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
  separate();
  quote(text);
  return *this;
}

JsonWriter& JsonWriter::null() {
  separate();
  text_ += "null";
  return *this;
}

JsonWriter& JsonWriter::open(char bracket) {
  separate();
  text_ += bracket;
  first_ = true;
  return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
  text_ += bracket;
  first_ = false;
  return *this;
}

void JsonWriter::separate() {
  if (afterKey_)
    afterKey_ = false;
  else if (!first_)
    text_ += ',';
  first_ = false;
}

// As the library escapes: the short forms, other control characters as
// \u00xx; every other byte (UTF-8 included) as it is.
void JsonWriter::quote(std::string_view text) {
  text_ += '"';
  for (const char c : text) {
    switch (c) {
      case '"':
        text_ += "\\\"";
        break;
      case '\\':
        text_ += "\\\\";
        break;
      case '\b':
        text_ += "\\b";
        break;
      case '\f':
        text_ += "\\f";
        break;
      case '\n':
        text_ += "\\n";
        break;
      case '\r':
        text_ += "\\r";
        break;
      case '\t':
        text_ += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          text_ += escaped;
        } else {
          text_ += c;
        }
    }
  }
  text_ += '"';
}
