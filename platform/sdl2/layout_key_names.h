// Keys by the names the user's keyboard layout gives them ("Q" for the key
// in A's place on a French keyboard), for listing the bindings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// SDL's name of the keycode each key (a USB usage, as SDL's scancode) types
// in the current layout (a US one without a display); empty names where the
// display cannot be opened.
std::vector<std::string> layoutKeyNames(const std::vector<uint16_t>& usages);
