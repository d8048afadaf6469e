// Writes JSON onto one line, byte for byte as the JSON library's compact dump
// writes the same values (no spaces; strings escaped alike), so that what it
// writes can stand where the library's text stood. Small enough for the page.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

class JsonWriter {
 public:
  JsonWriter& beginObject() { return open('{'); }
  JsonWriter& endObject() { return close('}'); }
  JsonWriter& beginArray() { return open('['); }
  JsonWriter& endArray() { return close(']'); }

  JsonWriter& key(std::string_view name) {
    separate();
    quote(name);
    text_ += ':';
    afterKey_ = true;
    return *this;
  }
  JsonWriter& number(int64_t number) {
    separate();
    text_ += std::to_string(number);
    return *this;
  }
  JsonWriter& boolean(bool truth) {
    separate();
    text_ += truth ? "true" : "false";
    return *this;
  }
  JsonWriter& string(std::string_view string) {
    separate();
    quote(string);
    return *this;
  }
  JsonWriter& null() {
    separate();
    text_ += "null";
    return *this;
  }
  // A named whole number (of any width) or truth value.
  template <typename Number>
  requires std::is_arithmetic_v<Number> JsonWriter& field(std::string_view name, Number number) {
    key(name);
    if constexpr (std::is_same_v<Number, bool>)
      return boolean(number);
    else
      return this->number(static_cast<int64_t>(number));
  }
  JsonWriter& field(std::string_view name, std::string_view text) { return key(name).string(text); }

  const std::string& text() const { return text_; }

 private:
  JsonWriter& open(char bracket) {
    separate();
    text_ += bracket;
    first_ = true;
    return *this;
  }
  JsonWriter& close(char bracket) {
    text_ += bracket;
    first_ = false;
    return *this;
  }
  void separate() {
    if (afterKey_)
      afterKey_ = false;
    else if (!first_)
      text_ += ',';
    first_ = false;
  }
  void quote(std::string_view string) {
    text_ += '"';
    for (const char c : string) {
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

  std::string text_;
  bool first_ = true;
  bool afterKey_ = false;
};
