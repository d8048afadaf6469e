// The secret that keeps a claimed name: drawn from the system's CSPRNG and
// kept by the player; the board stores only its hash.
#pragma once

#include <string>
#include <string_view>

// 32 random bytes as 64 lowercase hex digits.
std::string newToken();
bool isWellFormedToken(std::string_view token);
std::string sha256Hex(std::string_view bytes);
// Compares two hashes in time that does not depend on where they differ.
bool sameHash(std::string_view a, std::string_view b);
