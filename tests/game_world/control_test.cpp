// Steering by keys and mouse, and the rule that input repaints at most once
// between ticks.
#include <vector>

#include "actors/actors.h"
#include "control/control.h"
#include "shell/shell.h"
#include "world_fixture.h"

namespace {

class Steering : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    player = makePlayer(0, 1000, 0);
    // No window to paint on, except where a test brings its own surface.
    world.inputRepaintAllowed = false;
  }
  std::vector<int> press(WPARAM key, int times) {
    std::vector<int> states;
    for (int i = 0; i < times; ++i) {
      onKeyDown(key);
      states.push_back(player->state);
    }
    return states;
  }
  Actor* player = nullptr;
};

TEST_F(Steering, TurningWalksThroughThePosesToASideStep) {
  EXPECT_EQ(press(VK_LEFT, 5), (std::vector<int>{1, 2, 3, 7, 3}));
  EXPECT_EQ(player->dx, -8);
  setActorState(player, 0);
  EXPECT_EQ(press(VK_NUMPAD6, 5), (std::vector<int>{4, 5, 6, 8, 6}));
  EXPECT_EQ(player->dx, 0);  // the left slide of -8 cancelled, not replaced
  onKeyDown(VK_RIGHT);
  onKeyDown(VK_RIGHT);
  EXPECT_EQ(player->dx, 8);  // capped at 8
  // A slide the other way is only cut by 8, not reset.
  setActorState(player, 3);
  player->dx = 5;
  onKeyDown(VK_LEFT);
  EXPECT_EQ(player->dx, -3);
}

TEST_F(Steering, UpHopsFromAStandstillAndCyclesTricksInTheAir) {
  setActorState(player, 3);
  player->dy = 2;
  onKeyDown(VK_UP);
  EXPECT_EQ(player->state, 3);
  player->dy = 0;
  onKeyDown(VK_UP);
  EXPECT_EQ(player->state, 9);
  EXPECT_EQ(player->dy, -4);

  setActorPosition(player, 0, 1000, 10);
  setActorState(player, 13);
  EXPECT_EQ(press(VK_NUMPAD8, 3), (std::vector<int>{18, 19, 13}));
  EXPECT_EQ(press(VK_DOWN, 3), (std::vector<int>{19, 18, 13}));
  setActorState(player, 16);
  onKeyDown(VK_DOWN);
  EXPECT_EQ(player->state, 16);
  onKeyDown(VK_HOME);  // ground-only keys do nothing up here
  EXPECT_EQ(player->state, 16);
}

TEST_F(Steering, TheJumpKeyWorksOnlyOnTheSnow) {
  player->dy = 10;
  onKeyDown(VK_INSERT);
  EXPECT_EQ(player->state, 13);
  EXPECT_EQ(player->dz, 2);
  EXPECT_EQ(player->dy, 6);
  // Pressed again still on the snow: the velocity changes even with no new state.
  onKeyDown(VK_NUMPAD0);
  EXPECT_EQ(player->dy, 2);
  setActorPosition(player, 0, 1000, 4);
  onKeyDown(VK_INSERT);
  EXPECT_EQ(player->dy, 2);
}

// The keypad steers like the cursor block: with NumLock off it sends the
// cursor codes themselves, with NumLock on its own codes, which must act alike.
TEST_F(Steering, EveryCursorKeyAndItsKeypadTwinSteerAlike) {
  struct Row {
    WPARAM cursorKey, keypadKey;
    int32_t groundFrom, groundTo, airFrom, airTo;
  };
  const Row rows[] = {{VK_LEFT, VK_NUMPAD4, 0, 1, 13, 14},   {VK_RIGHT, VK_NUMPAD6, 0, 4, 13, 15},
                      {VK_UP, VK_NUMPAD8, 6, 10, 14, 20},    {VK_DOWN, VK_NUMPAD2, 5, 0, 20, 14},
                      {VK_HOME, VK_NUMPAD7, 0, 3, 13, 13},   {VK_END, VK_NUMPAD1, 0, 1, 13, 13},
                      {VK_PRIOR, VK_NUMPAD9, 0, 6, 13, 13},  {VK_NEXT, VK_NUMPAD3, 0, 4, 13, 13},
                      {VK_INSERT, VK_NUMPAD0, 0, 13, 14, 14}};
  for (const Row& row : rows) {
    for (WPARAM key : {row.cursorKey, row.keypadKey}) {
      setActorPosition(player, 0, 1000, 0);
      player->dx = player->dy = player->dz = 0;
      setActorState(player, row.groundFrom);
      onKeyDown(key);
      EXPECT_EQ(player->state, row.groundTo) << "key " << key << " on the snow";
      setActorPosition(player, 0, 1000, 6);
      setActorState(player, row.airFrom);
      onKeyDown(key);
      EXPECT_EQ(player->state, row.airTo) << "key " << key << " in the air";
    }
  }
  // The middle of the keypad and its '.' steer nothing, with NumLock on or off.
  setActorPosition(player, 0, 1000, 0);
  setActorState(player, 2);
  for (WPARAM key : {VK_NUMPAD5, VK_CLEAR, VK_DECIMAL, VK_DELETE}) onKeyDown(key);
  EXPECT_EQ(player->state, 2);
}

TEST_F(Steering, ACrashedOrTumblingFigureIgnoresKeysAndTheMouse) {
  for (int32_t state : {11, 17}) {
    setActorState(player, state);
    onKeyDown(VK_DOWN);
    onKeyDown(VK_LEFT);
    onMouseMove(10, 10);
    onMouseMove(320, 400);
    EXPECT_EQ(player->state, state);
  }
}

TEST_F(Steering, TheCursorPicksAGroundPoseBySector) {
  struct Case {
    int16_t mx, my;
    int32_t state;
  };
  const Case cases[] = {{0, 5, 0},  {0, 0, 6},  {-1, 0, 3},  {5, -9, 6},  {-5, -9, 3},
                        {8, 24, 0}, {8, 23, 4}, {-8, 12, 1}, {-8, 11, 2}, {-8, 1, 3},
                        {8, 6, 5},  {8, 5, 6},  {8, 1, 6},   {-8, 23, 1}, {-8, 24, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(groundDirection(c.mx, c.my), c.state) << c.mx << ", " << c.my;
  }
}

TEST_F(Steering, TheCursorPicksAnAirPoseByQuadrant) {
  struct Case {
    int16_t mx, my;
    int32_t state;
  };
  const Case cases[] = {{10, 5, 15},  {10, -5, 15},  {10, 10, 15}, {-10, -5, 14},
                        {-10, 5, 14}, {-10, 10, 14}, {5, 10, 13},  {5, -10, 16},
                        {0, 0, 15},   {-5, -10, 16}, {-5, 10, 13}};
  for (const Case& c : cases) EXPECT_EQ(airPose(c.mx, c.my), c.state) << c.mx << ", " << c.my;
}

TEST_F(Steering, TheFirstMouseMoveOnlyRecordsThePlace) {
  onMouseMove(320, 400);  // straight below the anchor
  EXPECT_EQ(player->state, 0);
  setActorState(player, 3);
  onMouseMove(320, 400);  // the same place: no steering
  EXPECT_EQ(player->state, 3);
  onMouseMove(321, 400);
  EXPECT_EQ(player->state, 0);
  onMouseMove(100, 150);  // above and left
  EXPECT_EQ(player->state, 3);
}

TEST_F(Steering, AClickJumpsOnTheSnowAndTricksInTheAir) {
  setActorState(player, 17);  // a tumble that reached the snow still jumps
  player->dy = 9;
  onMouseButton();
  EXPECT_EQ(player->state, 13);
  EXPECT_EQ(player->dz, 4);
  EXPECT_EQ(player->dy, 9);
  setActorPosition(player, 0, 1000, 3);
  onMouseButton();
  EXPECT_EQ(player->state, 18);
  setActorState(player, 17);
  onMouseButton();
  EXPECT_EQ(player->state, 17);
  setActorState(player, 11);
  setActorPosition(player, 0, 1000, 0);
  player->dz = 0;
  onMouseButton();
  EXPECT_EQ(player->state, 11);
}

TEST_F(Steering, CharactersNudgeAndToggleDoubleSpeed) {
  onChar('x');
  onChar('y');
  onChar('y');
  onChar('X');
  onChar('X');
  EXPECT_EQ(player->x, -2);
  EXPECT_EQ(player->y, 1004);
  onChar('f');
  EXPECT_TRUE(world.fastMode);
  onChar('F');
  EXPECT_TRUE(world.fastMode);
  onChar('f');
  EXPECT_FALSE(world.fastMode);
}

TEST_F(Steering, InputRepaintsAtMostOnceBetweenTicks) {
  world.mainDc = CreateCompatibleDC(nullptr);
  ASSERT_NE(world.mainDc, nullptr);
  world.inputRepaintAllowed = true;
  onKeyDown(VK_LEFT);
  // Painted at once: the figure's image is on screen in its new pose.
  EXPECT_NE(player->flags & ACTOR_DRAWN, 0u);
  EXPECT_FALSE(world.inputRepaintAllowed);
  onKeyDown(VK_LEFT);
  EXPECT_EQ(player->state, 2);
  EXPECT_EQ(player->flags & ACTOR_DRAWN, 0u) << "the second change waits for the tick";
  // A key that changes nothing does not use up the allowance.
  world.inputRepaintAllowed = true;
  onKeyDown(VK_NUMPAD5);
  EXPECT_TRUE(world.inputRepaintAllowed);
  DeleteDC(world.mainDc);
  world.mainDc = nullptr;
}

TEST_F(Steering, WithoutAPlayerOnlyTheGameKeysAct) {
  removeActor(player);
  freeDeadActors();
  ASSERT_EQ(world.player, nullptr);
  onKeyDown(VK_LEFT);
  onMouseMove(1, 1);
  onMouseMove(2, 2);
  onChar('x');
  EXPECT_EQ(liveActors(), 0);
}

}  // namespace
