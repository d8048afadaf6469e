// The viewer's strip under the picture: where the run is, its speed and
// state, and the viewer's keys, in as few lines as the picture's width lets
// it keep. The time and the state always show; the keys go first.
#pragma once

#include <string>
#include <vector>

struct StripFacts {
  std::string now;    // "0:12.3"
  std::string end;    // "1:02.4"
  std::string speed;  // "1x"
  std::string state;  // "paused", "result" or empty
  std::string keys;   // "Space Minus ...", the first key of each action
};

// The lines for a strip columns characters wide: one where it all fits,
// else the keys on a line of their own, else none of them and the rest
// shortened. The last form may still be wider than a very narrow strip.
std::vector<std::string> stripLines(const StripFacts& facts, int columns);
