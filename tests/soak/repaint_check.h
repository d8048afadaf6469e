// The repaint oracle: the picture the incremental repaints left on screen
// must equal a full paint of the whole client area on a clean surface.
#pragma once

#include <string>

// Empty when they agree, else the first differing pixel. Leaves the game's
// records as they were.
std::string compareWithFullRepaint();
