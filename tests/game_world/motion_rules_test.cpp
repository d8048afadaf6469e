// The velocity nudges of the motion rules, from the worked examples.
#include <vector>

#include "world/world.h"
#include "world_fixture.h"

namespace {

struct Velocity {
  int dx, dy;
  bool operator==(const Velocity&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Velocity& v) {
  return out << "(" << v.dx << ", " << v.dy << ")";
}

// Applies the rule of the actor's state `steps` times and lists the results.
std::vector<Velocity> run(const MotionRule* table, int firstState, int state, int dx, int dy,
                          int steps) {
  Actor actor{};
  actor.state = state;
  actor.dx = int16_t(dx);
  actor.dy = int16_t(dy);
  std::vector<Velocity> seen;
  for (int i = 0; i < steps; ++i) {
    applyMotionRule(&actor, &table[state - firstState]);
    seen.push_back({actor.dx, actor.dy});
  }
  return seen;
}

using MotionRules = WorldTest;

TEST_F(MotionRules, EveryRowBelongsToItsOwnState) {
  for (int s = 0; s < 22; ++s) EXPECT_EQ(PlayerMotionRules[s].state, s);
  for (int s = 0; s < 5; ++s) EXPECT_EQ(RacerMotionRules[s].state, 22 + s);
  for (int s = 0; s < 8; ++s) EXPECT_EQ(BoarderMotionRules[s].state, 31 + s);
}

TEST_F(MotionRules, HeadingDownRisesByOneAndFallsByTwoToSixteen) {
  auto fromRest = run(PlayerMotionRules.data(), 0, 0, 0, 0, 18);
  EXPECT_EQ(fromRest[0], (Velocity{0, 1}));
  EXPECT_EQ(fromRest[14], (Velocity{0, 15}));
  EXPECT_EQ(fromRest[15], (Velocity{0, 16}));
  EXPECT_EQ(fromRest[17], (Velocity{0, 16}));

  auto afterLanding = run(PlayerMotionRules.data(), 0, 0, 0, 24, 5);
  EXPECT_EQ(afterLanding, (std::vector<Velocity>{{0, 22}, {0, 20}, {0, 18}, {0, 16}, {0, 16}}));
}

TEST_F(MotionRules, TurningBuildsASlideAndTurningBackReversesItGradually) {
  // Sideways target is half sideRatio times the entry dy: 32, then 28.
  EXPECT_EQ(run(PlayerMotionRules.data(), 0, 2, 0, 16, 2),
            (std::vector<Velocity>{{-1, 14}, {-2, 12}}));
  // Turned right while sliding left: the slide shrinks one unit a tick.
  EXPECT_EQ(run(PlayerMotionRules.data(), 0, 4, -5, 12, 2),
            (std::vector<Velocity>{{-4, 12}, {-3, 12}}));
}

TEST_F(MotionRules, AcrossTheSlopeBrakesToAStandstill) {
  auto braking = run(PlayerMotionRules.data(), 0, 3, 0, 16, 40);
  EXPECT_EQ(braking[0], (Velocity{-1, 14}));
  EXPECT_EQ(braking[7].dy, 0);
  EXPECT_EQ(braking.back(), (Velocity{0, 0}));
  // Once dy is 0 the slide dies away by 2 a tick, never past 0.
  for (size_t i = 8; i + 1 < braking.size(); ++i) {
    EXPECT_LE(braking[i + 1].dx - braking[i].dx, 2);
    EXPECT_LE(braking[i + 1].dx, 0);
  }
}

TEST_F(MotionRules, ClimbingGivesNoSidewaysTarget) {
  // dy = -3: target 0 whatever the ratio, so a slide of 3 shrinks by 2.
  EXPECT_EQ(run(PlayerMotionRules.data(), 0, 3, -3, -3, 1), (std::vector<Velocity>{{-1, -2}}));
  // The seated rule leaves a climbing speed alone.
  EXPECT_EQ(run(PlayerMotionRules.data(), 0, 12, 0, -3, 1), (std::vector<Velocity>{{0, -3}}));
}

TEST_F(MotionRules, BoardersAndRacersSettleOnTheirOwnSpeeds) {
  EXPECT_EQ(run(BoarderMotionRules.data(), 31, 31, 0, 0, 2),
            (std::vector<Velocity>{{0, 2}, {-1, 4}}));
  auto racer = run(RacerMotionRules.data(), 22, 23, 0, 1, 5);
  EXPECT_EQ(racer.back(), (Velocity{-2, 1}));
}

}  // namespace
