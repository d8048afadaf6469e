// Pictures of 0x00RRGGBB pixels saved as 8-bit RGB PNG files.
#pragma once

#include <cstdint>
#include <string>

// Writes width x height pixels (stride in pixels) to path; on failure says
// why in error.
bool writeRgbPng(const uint32_t* pixels, int width, int height, int stride, const std::string& path,
                 std::string* error);
