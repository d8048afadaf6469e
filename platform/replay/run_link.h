// A run as the text of a link: the run file with its clock readings made
// relative to the one before (a run's readings climb by the period, so most
// become the same few bytes), packed by a small LZ77 and written in
// base64url. One C++ codec in the desktop program and the page, so a run
// gives the same link text everywhere.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What a link may unpack to at most; a link that claims more is refused
// before anything is unpacked.
inline constexpr size_t kMostRunBytes = 1u << 20;

// The fragment of a link, "run=" and the packed run (the page's address
// gets it after '#'). The state line goes as its digest.
std::string runLinkFragment(std::string_view runText);

// Takes a whole link, "#run=...", "run=..." or the packed text alone. False
// with one line in error for anything that is not a run packed by us.
bool readRunLink(std::string_view link, std::string* runText, std::string* error);

// The parts, for tests and the fuzzer.
std::string packRun(std::string_view runText);
bool unpackRun(std::string_view packed, std::string* runText, std::string* error);
std::string base64UrlEncode(std::string_view bytes);
bool base64UrlDecode(std::string_view text, std::string* bytes);
