// A random hand at the controls: steering keys and characters, mouse moves
// and clicks, pauses, minimising, focus changes, resizes, new games and
// trips beyond the edges of the world, delivered through the desktop.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>

class RandomPlayer {
 public:
  RandomPlayer(uint32_t seed, int screenWidth, int screenHeight)
      : random_(seed), screenWidth_(screenWidth), screenHeight_(screenHeight) {}
  // Called after every tick; may schedule events and move the player.
  void act();
  int newGames() const { return newGames_; }
  int edgeTrips() const { return edgeTrips_; }
  int furthest() const { return furthest_; }  // the lowest row the skier reached

 private:
  bool chance(uint32_t oneIn) { return random_() % oneIn == 0; }
  uint32_t below(uint32_t n) { return random_() % n; }
  void key(unsigned virtualKey, uint32_t delayMs = 0);
  void tripBeyondAnEdge();

  std::mt19937 random_;
  int screenWidth_;
  int screenHeight_;
  int ticksGone_ = 0;
  int newGames_ = 0;
  int edgeTrips_ = 0;
  int furthest_ = 0;
};
