// Text that came from outside (a run, a link, a settings file) as it may be
// shown on a terminal: control bytes and bytes past ASCII escaped, so no
// escape sequence reaches the terminal, and cut to a short excerpt.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

inline constexpr size_t kMostShownBytes = 60;

// Backslashes are escaped too, so the text reads back unambiguously; in a
// quoted one, double quotes as well.
inline std::string shownText(std::string_view text, size_t most = kMostShownBytes,
                             bool quoted = false) {
  std::string out;
  for (size_t i = 0; i < text.size() && i < most; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c >= 0x7F || c == '\\' || (quoted && c == '"')) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (text.size() > most) out += "...";
  return out;
}

// The same between double quotes, for a name or a reason in a message.
inline std::string quotedText(std::string_view text, size_t most = kMostShownBytes) {
  return "\"" + shownText(text, most, true) + "\"";
}
