// snowvel --watch FILE-OR-LINK and snowvel --share FILE.
#pragma once

#include <string>

struct WatchRequest {
  std::string source;  // a run file, or a link or its fragment
  bool headless = false;
  std::string inputFile;       // headless: the viewer's keys, as an input script
  std::string dumpFile;        // the game state at the result
  std::string screenshotFile;  // headless: the viewer's picture at the end
};

// Checks the run, says how it went on stdout and shows it. 0 when it
// reached the recorded result, 3 when it did not, 2 when it cannot be read.
int runWatch(const WatchRequest& request);
// Prints the fragment to put after '#' in a page's address.
int runShare(const std::string& file);
