// The one random sequence every decision of the game draws from.
#include "shell/shell.h"

void seedRandom(uint32_t seed) {
  world.randomSeed = seed;
}

int32_t nextRandom() {
  world.randomSeed = world.randomSeed * 214013u + 2531011u;
  return int32_t((world.randomSeed >> 16) & 0x7FFF);
}

int32_t randomBelow(int16_t n) {
  // A count of zero or less has no value below it; answer 0 rather than
  // dividing by zero.
  if (n <= 0) return 0;
  return nextRandom() % n;
}
