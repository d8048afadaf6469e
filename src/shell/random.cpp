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
  // Every call takes its draw, so the sequence stays the same whatever n is;
  // a count of zero gives 0 instead of dividing by zero.
  const int32_t drawn = nextRandom();
  if (n == 0) return 0;
  return drawn % n;
}
