#include "board/player_name.h"

#include <cstdint>
#include <optional>

namespace {

// The next code point of text from at, or nothing for bytes that are not
// UTF-8 in its shortest form (overlong, surrogate, past U+10FFFF, cut off).
std::optional<char32_t> nextCodePoint(std::string_view text, size_t* at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(*at);
  size_t length = 0;
  char32_t value = 0, least = 0;
  if (lead < 0x80) {
    ++*at;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (*at + length > text.size()) return std::nullopt;
  for (size_t i = 1; i < length; ++i) {
    const uint8_t next = byte(*at + i);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return std::nullopt;
  }
  *at += length;
  return value;
}

struct Range {
  char32_t first, last;
};

// Code points that do not show as themselves: controls, format characters
// (joiners, direction marks, the byte order mark, tags), fillers and
// variation selectors that draw nothing, spaces other than the plain one,
// private use and noncharacters.
constexpr Range kHidden[] = {
    {0x0000, 0x001F},   {0x007F, 0x00A0},   {0x00AD, 0x00AD},   {0x034F, 0x034F},
    {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
    {0x08E2, 0x08E2},   {0x115F, 0x1160},   {0x1680, 0x1680},   {0x17B4, 0x17B5},
    {0x180B, 0x180F},   {0x2000, 0x200F},   {0x2028, 0x202F},   {0x205F, 0x206F},
    {0x2800, 0x2800},   {0x3000, 0x3000},   {0x3164, 0x3164},   {0xD800, 0xF8FF},
    {0xFDD0, 0xFDEF},   {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},
    {0xFFF0, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F},
    {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}, {0xF0000, 0x10FFFF},
};

bool isHidden(char32_t c) {
  if ((c & 0xFFFE) == 0xFFFE) return true;  // the last two of every plane
  for (const Range& range : kHidden) {
    if (c >= range.first && c <= range.last) return true;
  }
  return false;
}

}  // namespace

bool checkPlayerName(std::string_view name, std::string* error) {
  if (name.empty()) {
    *error = "the name is empty";
    return false;
  }
  if (name.size() > kMostNameCharacters * 4) {
    *error = "the name is longer than 16 characters";
    return false;
  }
  size_t at = 0, count = 0;
  while (at < name.size()) {
    const auto c = nextCodePoint(name, &at);
    if (!c) {
      *error = "the name is not valid UTF-8";
      return false;
    }
    if (isHidden(*c)) {
      *error = "the name holds a control or invisible character";
      return false;
    }
    ++count;
  }
  if (count > kMostNameCharacters) {
    *error = "the name is longer than 16 characters";
    return false;
  }
  if (name.front() == ' ' || name.back() == ' ' || name.find("  ") != std::string_view::npos) {
    *error = "the name starts or ends with a space, or has two in a row";
    return false;
  }
  return true;
}
