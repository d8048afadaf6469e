#include "world_fixture.h"

#include <deque>

#include "actors/actors.h"
#include "platform/backend.h"
#include "shell/shell.h"

namespace {

uint32_t clockMs = 500000;
std::deque<int> unansweredBoxes;
int lastBox = 0;
int assertionBoxes = 0;
std::vector<int>* soundLog = nullptr;
char soundTokens[kSoundCount + 1];

uint32_t testClock() {
  return clockMs;
}
void noPcm(const WaveFormat&, const uint8_t*, size_t, const void*) {}
void noStop() {}
void screen(int* width, int* height) {
  *width = 1024;
  *height = 768;
}
bool acceptWindow(HWND, const char*, const RECT&) {
  return true;
}
void ignoreWindow(HWND) {}
void ignoreState(HWND, BackendWindowState) {}
void ignoreTitle(HWND, const char*) {}
void ignoreClient(HWND, const RECT&) {}
void ignorePresent(HWND, const uint32_t*, int, int, int, const RECT*, int) {}

bool answerBoxes(BackendEvent* event, uint32_t) {
  if (unansweredBoxes.empty()) return false;
  *event = BackendEvent{};
  event->type = BackendEventType::MessageBoxAnswer;
  event->box = unansweredBoxes.front();
  event->answer = IDOK;
  unansweredBoxes.pop_front();
  return true;
}

int recordBox(const char*, const char* caption, UINT) {
  if (std::string(caption) == "Assertion Failed") ++assertionBoxes;
  unansweredBoxes.push_back(++lastBox);
  return lastBox;
}

Backend testBackend = {testClock,     noPcm,       noStop,      screen,       acceptWindow,
                       ignoreWindow,  ignoreState, ignoreTitle, ignoreClient, ignoreWindow,
                       ignorePresent, answerBoxes, recordBox};

// Stands in for sndPlaySoundA: tells the clips apart by their image address.
BOOL WINAPI recordSound(LPCSTR image, UINT) {
  if (image != nullptr && soundLog != nullptr) soundLog->push_back(int(image - soundTokens));
  return TRUE;
}

}  // namespace

void setTestClock(uint32_t ms) {
  clockMs = ms;
}

void WorldTest::SetUp() {
  setBackend(&testBackend);
  clockMs = 500000;
  assertionBoxes = 0;
  unansweredBoxes.clear();

  world = WorldState{};
  world.actorPool = pool;
  world.placedObjects = placed;
  world.stringCache = strings;
  world.sprites = sprites;
  // Every image 16 x 32 unless a test says otherwise; entry 0 stays empty.
  for (int id = 1; id < kSpriteCount; ++id) sprites[id] = Sprite{nullptr, nullptr, 0, 16, 32, 512};
  ASSERT_TRUE(resetWorld());
  layOut(640, 480);

  sounds.clear();
  soundLog = &sounds;
  world.soundOff = false;
  world.wavePlayer = recordSound;
  for (int id = 1; id <= kSoundCount; ++id) world.soundClips[id].data = &soundTokens[id];
}

void WorldTest::TearDown() {
  EXPECT_EQ(assertionBoxes, 0) << "an invariant report was raised";
  soundLog = nullptr;
  // Cached texts live as long as the game; this fixture's game ends here.
  for (char*& text : strings) {
    if (text != nullptr) LocalFree(text);
    text = nullptr;
  }
  world = WorldState{};
}

void WorldTest::layOut(int width, int height) {
  world.clientRect = RECT{0, 0, width, height};
  world.anchorX = int16_t(width / 2);
  world.anchorY = int16_t(height / 3);
  world.activeRect = RECT{-120, -120, width + 120, height + 120};
  world.clientWidth = int16_t(width);
  world.clientHeight = int16_t(height);
  world.activeArea = (width + 240) * (height + 240);
}

Actor* WorldTest::makePlayer(int16_t x, int16_t y, int32_t state) {
  Actor* player = createActor(KIND_PLAYER, state);
  setActorPosition(player, x, y, 0);
  world.player = world.cameraActor = player;
  // The view starts on the player, as it does when a game begins.
  world.viewX = x;
  world.viewY = y;
  return player;
}

Actor* WorldTest::makeActor(int32_t kind, int32_t state, int16_t x, int16_t y) {
  Actor* actor = createActor(kind, state);
  return setActorPosition(actor, x, y, 0);
}

Actor* WorldTest::makeScenery(int32_t kind, uint16_t sprite, int16_t x, int16_t y) {
  Actor* actor = createActorWithSprite(kind, sprite);
  return setActorPosition(actor, x, y, 0);
}

void WorldTest::seedForNext(int16_t n, int32_t want) {
  for (uint32_t seed = 1;; ++seed) {
    seedRandom(seed);
    if (randomBelow(n) == want) {
      seedRandom(seed);
      return;
    }
  }
}

int WorldTest::drawsSince(uint32_t from) const {
  uint32_t seed = from;
  for (int draws = 0; draws < 1000; ++draws) {
    if (seed == world.randomSeed) return draws;
    seed = seed * 214013u + 2531011u;
  }
  return -1;
}

int WorldTest::assertionReports() const {
  return assertionBoxes;
}

int WorldTest::liveActors() const {
  int count = 0;
  for (Actor* a = world.activeList; a != nullptr; a = a->next) {
    if (!(a->flags & (ACTOR_GHOST | ACTOR_DEAD))) ++count;
  }
  return count;
}
