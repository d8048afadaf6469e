// A whole file into memory, through stdio (the page's program carries no
// iostreams).
#pragma once

#include <string>

// False when the file cannot be opened or read (a folder, say).
bool readWholeFile(const std::string& path, std::string* text);
