// What the tests' scratch directories take from POSIX and MinGW lacks.
// Forced into every test source of the Windows conformance build.
#pragma once

// Replaces the trailing XXXXXX of pattern and creates that directory;
// returns pattern, or null when no free name was found.
extern "C" char* mkdtemp(char* pattern);
