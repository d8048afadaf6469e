// Text that came from outside (a run, a link, a settings file) as it may be
// shown on a terminal: control bytes and bytes past ASCII escaped, so no
// escape sequence reaches the terminal, and cut to a short excerpt.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

inline constexpr size_t kMostShownBytes = 60;

inline std::string shownText(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size() && i < kMostShownBytes; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c >= 0x7F || c == '\\') {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (text.size() > kMostShownBytes) out += "...";
  return out;
}
