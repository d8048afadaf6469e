#include "random_player.h"

#include "actors/actors.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace {

void schedule(BackendEventType type, uint32_t delayMs, int a = 0, int b = 0) {
  BackendEvent event{};
  event.type = type;
  event.window = world.mainWindow;
  event.x = event.width = a;
  event.y = event.height = b;
  headlessScheduleEvent(headlessNow() + delayMs, event);
}

const unsigned kSteeringKeys[] = {VK_LEFT,    VK_RIGHT,   VK_DOWN,    VK_UP,      VK_HOME,
                                  VK_END,     VK_PRIOR,   VK_NEXT,    VK_INSERT,  VK_NUMPAD0,
                                  VK_NUMPAD1, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD4, VK_NUMPAD6,
                                  VK_NUMPAD7, VK_NUMPAD8, VK_NUMPAD9, VK_DOWN,    VK_DOWN};
const unsigned char kCharacters[] = {'f', 'r', 't', 'x', 'y', 'X', 'Y', 'a', ' ', '5'};

}  // namespace

void RandomPlayer::key(unsigned virtualKey, uint32_t delayMs) {
  BackendEvent event{};
  event.type = BackendEventType::KeyDown;
  event.virtualKey = virtualKey;
  headlessScheduleEvent(headlessNow() + delayMs, event);
  event.type = BackendEventType::KeyUp;
  headlessScheduleEvent(headlessNow() + delayMs, event);
}

// Puts the skier just beyond one of the four guarded lines, as a long run
// would, so a monster gives chase.
void RandomPlayer::tripBeyondAnEdge() {
  Actor* player = world.player;
  // A timed run is crossed off by skiing over its finish line; a skier who
  // vanished from the course and reappeared far away never did.
  if (player == nullptr || world.slalomRunOn || world.treeSlalomRunOn) return;
  static const int16_t kBeyond[4][2] = {{-16040, 400}, {16040, 400}, {0, -2040}, {0, 32040}};
  const int edge = static_cast<int>(below(4));
  const int16_t x = kBeyond[edge][0] != 0 ? kBeyond[edge][0] : int16_t(player->x);
  const int16_t y = kBeyond[edge][1] != 400 ? kBeyond[edge][1] : int16_t(player->y);
  setActorPosition(player, x, y, 0);
  ++edgeTrips_;
}

// Every draw is taken on a line of its own: the order in which a call's
// arguments are worked out is the compiler's choice (GCC and clang differ), and
// the same seed must give the same play from any compiler.
void RandomPlayer::act() {
  if (world.player == nullptr) {
    // Eaten: start again with Enter or a click after a while.
    if (++ticksGone_ > 40) {
      ticksGone_ = 0;
      ++newGames_;
      if (chance(2)) {
        key(VK_RETURN);
      } else {
        const int x = int(below(200)), y = int(below(200));
        schedule(BackendEventType::MouseDown, 0, x, y);
      }
    }
    return;
  }
  furthest_ = std::max<int>(furthest_, world.player->y);
  const uint32_t roll = below(10000);
  if (roll < 1500) {
    key(kSteeringKeys[below(std::size(kSteeringKeys))]);
  } else if (roll < 1800) {
    BackendEvent event{};
    event.type = BackendEventType::Char;
    event.character = kCharacters[below(std::size(kCharacters))];
    headlessScheduleEvent(headlessNow(), event);
  } else if (roll < 2300) {
    const int x = int(below(world.clientWidth + 40)) - 20;
    const int y = int(below(world.clientHeight + 40)) - 20;
    schedule(BackendEventType::MouseMove, 0, x, y);
  } else if (roll < 2400) {
    const int x = int(below(world.clientWidth)), y = int(below(world.clientHeight));
    schedule(BackendEventType::MouseDown, 0, x, y);
  } else if (roll < 2420) {
    key(VK_F3);  // a pause, over after a while
    key(VK_F3, 40 + below(3000));
  } else if (roll < 2430) {
    key(VK_ESCAPE);  // minimised, and opened again
    schedule(BackendEventType::Restore, 100 + below(2000));
  } else if (roll < 2440) {
    schedule(BackendEventType::Deactivate, 0);
    schedule(BackendEventType::Activate, 40 + below(2000));
  } else if (roll < 2450) {
    const int width = 120 + int(below(screenWidth_ - 120));
    const int height = 100 + int(below(screenHeight_ - 100));
    schedule(BackendEventType::Resize, 0, width, height);
  } else if (roll < 2453) {
    ++newGames_;
    key(VK_F2);
  } else if (roll < 2465) {
    tripBeyondAnEdge();
  }
}
