#include "scoring_world.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/win32.h"
#include "scoring/scoring.h"

void ScoringWorld::SetUp() {
  installHeadlessBackend();
  world = WorldState{};
  world.sprites = sprites;
  world.soundOff = true;
  world.stringCache = strings;

  player.kind = KIND_PLAYER;
  player.sprite = &sprites[0];
  world.player = &player;
  world.now = 100000;
  world.prevNow = world.now - 40;
  world.tickMs = 40;

  // The slalom as the course layout makes it: 24 alternating gates, then the
  // finish banner the gate sequence must never reach.
  for (int k = 0; k < kSlalomGates; ++k) {
    PlacedObject& gate = placed[k];
    gate.kind = KIND_GATE;
    gate.spriteIndex = k % 2 == 0 ? 23 : 24;
    gate.sprite = &sprites[gate.spriteIndex];
    gate.x = k % 2 == 0 ? -496 : -400;
    gate.y = static_cast<int16_t>(960 + 320 * k);
  }
  PlacedObject& banner = placed[kSlalomGates];
  banner.kind = KIND_SCENERY;
  banner.spriteIndex = 59;
  banner.sprite = &sprites[59];
  banner.x = -576;
  banner.y = 8640;
  world.placedObjects = placed;
  world.firstSlalomGate = &placed[0];

  char pattern[] = "/tmp/snowvel-scoring-XXXXXX";
  dataDir = mkdtemp(pattern);
  setenv("SNOWVEL_DATA_DIR", dataDir.c_str(), 1);
}

void ScoringWorld::TearDown() {
  std::error_code ignored;
  std::filesystem::remove_all(dataDir, ignored);
  for (char*& text : strings) {
    if (text != nullptr) LocalFree(text);
    text = nullptr;
  }
  world = WorldState{};
}

void ScoringWorld::placePlayer(int16_t x, int16_t y) {
  player.x = x;
  player.y = y;
}

void ScoringWorld::skiTo(int16_t x, int16_t y) {
  int16_t oldX = player.x;
  int16_t oldY = player.y;
  world.prevNow = world.now;
  world.now += 40;
  placePlayer(x, y);
  checkSlalom(&player, oldX, oldY);
  checkFreestyle(&player, oldX, oldY);
  checkTreeSlalom(&player, oldX, oldY);
}

std::vector<HeadlessMessageBox> ScoringWorld::boxes() const {
  const std::vector<HeadlessMessageBox>& all = headlessMessageBoxes();
  return {all.begin() + static_cast<ptrdiff_t>(boxesSeen), all.end()};
}

std::vector<HeadlessSound> ScoringWorld::sounds() const {
  return headlessSounds();
}

bool ScoringWorld::anyAssertionShown() const {
  for (const HeadlessMessageBox& box : headlessMessageBoxes())
    if (box.caption == "Assertion Failed") return true;
  return false;
}

std::string ScoringWorld::profileText() const {
  std::ifstream in(profilePath());
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void ScoringWorld::writeProfile(const std::string& text) const {
  std::ofstream(profilePath(), std::ios::binary) << text;
}

std::string ScoringWorld::storedLine(const char* key) const {
  std::istringstream text(profileText());
  std::string line;
  bool inSection = false;
  const std::string prefix = std::string(key) + "=";
  while (std::getline(text, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[')
      inSection = line == "[Snowvel]";
    else if (inSection && line.compare(0, prefix.size(), prefix) == 0)
      return line.substr(prefix.size());
  }
  return "";
}
