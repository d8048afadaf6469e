// Writes JSON onto one line, byte for byte as the JSON library's compact dump
// writes the same values (no spaces; strings escaped alike), so that what it
// writes can stand where the library's text stood. Small enough for the page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

class JsonWriter {
 public:
  JsonWriter& beginObject() { return open('{'); }
  JsonWriter& endObject() { return close('}'); }
  JsonWriter& beginArray() { return open('['); }
  JsonWriter& endArray() { return close(']'); }

  JsonWriter& key(std::string_view name);
  JsonWriter& number(int64_t number);
  JsonWriter& boolean(bool truth);
  JsonWriter& string(std::string_view text);
  JsonWriter& null();

  // A named whole number (of any width) or truth value.
  template <typename Number>
  requires std::is_arithmetic_v<Number> JsonWriter& field(std::string_view name, Number value) {
    key(name);
    if constexpr (std::is_same_v<Number, bool>)
      return boolean(value);
    else
      return number(static_cast<int64_t>(value));
  }
  JsonWriter& field(std::string_view name, std::string_view text) { return key(name).string(text); }

  const std::string& text() const { return text_; }

 private:
  JsonWriter& open(char bracket);
  JsonWriter& close(char bracket);
  void separate();
  void quote(std::string_view text);

  std::string text_;
  bool first_ = true;
  bool afterKey_ = false;
};
