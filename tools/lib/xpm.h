// Reader for our sprite XPM files: XPM3 C syntax, one character per pixel,
// exactly the 16 palette colours in their fixed order (icons may add one
// transparent colour, "  c None", as a 17th line). Anything else is refused
// with a message naming the file and line.
#pragma once

#include <string>

#include "image.h"

namespace snowtools {

struct XpmOptions {
  bool allowTransparent = false;  // accept the 17th colour "  c None" (icons)
};

// Throws ToolError "<name>:<line>: <what>" on any deviation from the format.
IndexedImage parseXpm(const std::string& text, const std::string& name, XpmOptions options = {});
IndexedImage readXpmFile(const std::string& path, XpmOptions options = {});

}  // namespace snowtools
