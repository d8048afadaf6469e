// A player's name on the board: what may stand in it and why one is refused.
#pragma once

#include <string>
#include <string_view>

inline constexpr size_t kMostNameCharacters = 16;

// True when name is valid UTF-8 of 1 to 16 characters that all show as
// themselves: no control, format, invisible or private-use code points and
// no white space but the plain space between words. Otherwise false with one
// line saying why.
bool checkPlayerName(std::string_view name, std::string* error);
