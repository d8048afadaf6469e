#include "xpm.h"

#include <cctype>
#include <cstdio>
#include <regex>
#include <sstream>
#include <vector>

#include "file_io.h"
#include "palette.h"
#include "tool_error.h"

namespace snowtools {
namespace {

struct Line {
  int number;
  std::string text;
};

std::string trimmed(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool isCommentOnly(const std::string& s) {
  return s.size() >= 4 && s.starts_with("/*") && s.ends_with("*/") && s.find("*/") == s.size() - 2;
}

// The lines that carry content, with their 1-based numbers; blank lines and
// lines holding only a C comment are skipped (except the leading marker).
std::vector<Line> contentLines(const std::string& text) {
  std::vector<Line> lines;
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    std::string t = trimmed(raw);
    if (t.empty()) continue;
    if (isCommentOnly(t) && !(lines.empty() && t == "/* XPM */")) continue;
    lines.push_back({number, t});
  }
  return lines;
}

// A quoted string line: "..." followed by ',' (or nothing when last).
std::string quotedBody(const Line& line, const std::string& name, bool last) {
  const std::string& t = line.text;
  if (t.empty() || t.front() != '"') throw errorAt(name, line.number, "expected a quoted string");
  size_t close = t.find('"', 1);
  if (close == std::string::npos) throw errorAt(name, line.number, "unterminated string");
  std::string rest = trimmed(t.substr(close + 1));
  if (rest == "," || (last && rest.empty())) return t.substr(1, close - 1);
  if (last && rest == "};") return t.substr(1, close - 1);
  if (rest.empty()) throw errorAt(name, line.number, "missing ',' after the string");
  throw errorAt(name, line.number, "unexpected text after the string: '" + rest + "'");
}

std::string expectedColourLine(uint8_t paletteIndex) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(kPalette[paletteIndex].rgb));
  return std::string(1, kPalette[paletteIndex].key) + " c #" + hex;
}

}  // namespace

IndexedImage parseXpm(const std::string& text, const std::string& name, XpmOptions options) {
  std::vector<Line> lines = contentLines(text);
  size_t at = 0;
  auto next = [&](const char* what) -> const Line& {
    if (at >= lines.size()) {
      int lastLine = lines.empty() ? 1 : lines.back().number;
      throw errorAt(name, lastLine, std::string("file ends early: expected ") + what);
    }
    return lines[at++];
  };

  const Line& marker = next("the /* XPM */ marker");
  if (marker.text != "/* XPM */") throw errorAt(name, marker.number, "expected /* XPM */");

  static const std::regex declaration(
      R"(static\s+(const\s+)?char\s*\*\s*(const\s+)?[A-Za-z_][A-Za-z0-9_]*\s*\[\s*\]\s*=\s*\{)");
  const Line& decl = next("the array declaration");
  if (!std::regex_match(decl.text, declaration))
    throw errorAt(name, decl.number, "expected 'static const char* const name[] = {'");

  const Line& headerLine = next("the \"W H colours 1\" header");
  std::string header = quotedBody(headerLine, name, false);
  // Bounded digit runs keep the numbers inside an int before the range check.
  static const std::regex headerPattern(R"((\d{1,6}) (\d{1,6}) (\d{1,3}) 1)");
  std::smatch m;
  if (!std::regex_match(header, m, headerPattern))
    throw errorAt(name, headerLine.number, "header must be \"W H 16 1\", got \"" + header + "\"");
  IndexedImage image;
  image.width = std::stoi(m[1]);
  image.height = std::stoi(m[2]);
  int colours = std::stoi(m[3]);
  if (image.width <= 0 || image.height <= 0 || image.width > 1024 || image.height > 1024)
    throw errorAt(name, headerLine.number, "size out of range: " + m[1].str() + "x" + m[2].str());
  bool withTransparent = colours == 17 && options.allowTransparent;
  if (colours != 16 && !withTransparent)
    throw errorAt(name, headerLine.number,
                  "expected 16 colours" +
                      std::string(options.allowTransparent ? " (or 17 with \"  c None\")" : "") +
                      ", got " + std::to_string(colours));

  for (uint8_t index : kXpmColourOrder) {
    const Line& line = next("a colour line");
    std::string body = quotedBody(line, name, false);
    std::string want = expectedColourLine(index);
    if (body != want)
      throw errorAt(name, line.number,
                    "colour line must be \"" + want + "\", got \"" + body + "\"");
  }
  if (withTransparent) {
    const Line& line = next("the transparent colour line");
    std::string body = quotedBody(line, name, false);
    if (body != "  c None")
      throw errorAt(name, line.number, "expected \"  c None\", got \"" + body + "\"");
    image.transparent.assign(static_cast<size_t>(image.width) * image.height, false);
  }

  image.pixels.reserve(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    const Line& line = next("a pixel row");
    if (y < image.height - 1 && line.text.ends_with("\""))
      throw errorAt(name, line.number,
                    "only " + std::to_string(y + 1) + " rows, the header says " +
                        std::to_string(image.height));
    std::string row = quotedBody(line, name, y == image.height - 1);
    if (static_cast<int>(row.size()) != image.width)
      throw errorAt(name, line.number,
                    "row " + std::to_string(y + 1) + " has " + std::to_string(row.size()) +
                        " pixels, expected " + std::to_string(image.width));
    for (int x = 0; x < image.width; ++x) {
      char key = row[static_cast<size_t>(x)];
      if (withTransparent && key == ' ') {
        image.transparent[static_cast<size_t>(y) * image.width + x] = true;
        image.pixels.push_back(kWhiteIndex);
        continue;
      }
      std::optional<uint8_t> index = paletteIndexOfKey(key);
      if (!index)
        throw errorAt(name, line.number,
                      std::string("unknown colour '") + key + "' in row " + std::to_string(y + 1) +
                          ", column " + std::to_string(x + 1));
      image.pixels.push_back(*index);
    }
  }

  // The closing brace may sit on the last row's line or on its own.
  if (!lines[at - 1].text.ends_with("};")) {
    const Line& close = next("the closing '};'");
    if (close.text != "};")
      throw errorAt(name, close.number,
                    "expected '};' after " + std::to_string(image.height) + " rows, got '" +
                        close.text + "'");
  }
  if (at != lines.size()) throw errorAt(name, lines[at].number, "unexpected text after '};'");
  return image;
}

IndexedImage readXpmFile(const std::string& path, XpmOptions options) {
  return parseXpm(readTextFile(path), path, options);
}

}  // namespace snowtools
