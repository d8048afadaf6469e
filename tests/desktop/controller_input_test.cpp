// A controller as key presses: directions, auto-repeat and the buttons.
#include "platform/internal/controller_input.h"

#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

struct Pad {
  ControllerInput input;
  std::vector<PadKey> keys;

  std::vector<PadKey> take() {
    std::vector<PadKey> taken;
    taken.swap(keys);
    return taken;
  }
};

PadKey down(UINT key) {
  return PadKey{key, true, false};
}
PadKey up(UINT key) {
  return PadKey{key, false, false};
}

TEST(ControllerInput, StickAndPadGiveEightDirectionsAsTheKeypadDoes) {
  const int far = 30000, diagonal = 21000;
  struct Row {
    int x, y;
    UINT key;
  };
  const Row rows[] = {
      {0, -far, VK_UP},
      {0, far, VK_DOWN},
      {-far, 0, VK_LEFT},
      {far, 0, VK_RIGHT},
      {-diagonal, -diagonal, VK_HOME},
      {diagonal, -diagonal, VK_PRIOR},
      {-diagonal, diagonal, VK_END},
      {diagonal, diagonal, VK_NEXT},
      // Off the axis but within its 45 degrees: still the axis.
      {far, 9000, VK_RIGHT},
  };
  for (const Row& row : rows) {
    Pad pad;
    pad.input.stick(row.x, row.y, 0, &pad.keys);
    EXPECT_EQ(pad.take(), std::vector<PadKey>{down(row.key)}) << row.x << "," << row.y;
  }
  // The dead zone steers nothing, and coming back into it lets go.
  Pad pad;
  pad.input.stick(7000, 7000, 0, &pad.keys);
  EXPECT_TRUE(pad.take().empty());
  pad.input.stick(far, 0, 0, &pad.keys);
  pad.input.stick(far - 100, 200, 5, &pad.keys);  // the same direction: no new press
  pad.input.stick(0, 0, 10, &pad.keys);
  EXPECT_EQ(pad.take(), (std::vector<PadKey>{down(VK_RIGHT), up(VK_RIGHT)}));

  // Two D-pad buttons make a diagonal; the D-pad speaks over the stick.
  pad.input.stick(-far, 0, 0, &pad.keys);
  pad.input.button(padInputByName("down"), true, 0, &pad.keys);
  pad.input.button(padInputByName("right"), true, 0, &pad.keys);
  pad.input.button(padInputByName("down"), false, 0, &pad.keys);
  pad.input.button(padInputByName("right"), false, 0, &pad.keys);
  EXPECT_EQ(pad.take(), (std::vector<PadKey>{down(VK_LEFT), up(VK_LEFT), down(VK_DOWN), up(VK_DOWN),
                                             down(VK_NEXT), up(VK_NEXT), down(VK_RIGHT),
                                             up(VK_RIGHT), down(VK_LEFT)}));
}

TEST(ControllerInput, AHeldDirectionRepeatsAsAHeldKey) {
  Pad pad;
  pad.input.button(padInputByName("left"), true, 1000, &pad.keys);
  pad.take();
  pad.input.repeat(1000 + kRepeatDelayMs - 1, &pad.keys);
  EXPECT_TRUE(pad.take().empty());
  EXPECT_EQ(pad.input.nextRepeatAt(), 1000 + kRepeatDelayMs);
  pad.input.repeat(1000 + kRepeatDelayMs, &pad.keys);
  pad.input.repeat(1000 + kRepeatDelayMs + kRepeatIntervalMs, &pad.keys);
  // A wake far too late gives one repeat, not a burst.
  pad.input.repeat(1000 + kRepeatDelayMs + 50 * kRepeatIntervalMs, &pad.keys);
  const PadKey repeat{VK_LEFT, true, true};
  EXPECT_EQ(pad.take(), (std::vector<PadKey>{repeat, repeat, repeat}));
  // A new direction starts its own delay; letting go stops the repeats.
  pad.input.button(padInputByName("up"), true, 5000, &pad.keys);
  pad.input.repeat(5000 + kRepeatDelayMs - 1, &pad.keys);
  pad.input.button(padInputByName("up"), false, 5001, &pad.keys);
  pad.input.button(padInputByName("left"), false, 5002, &pad.keys);
  pad.input.repeat(9000, &pad.keys);
  EXPECT_EQ(pad.take(), (std::vector<PadKey>{up(VK_LEFT), down(VK_HOME), up(VK_HOME), down(VK_LEFT),
                                             up(VK_LEFT)}));
  EXPECT_FALSE(pad.input.repeating());
}

TEST(ControllerInput, ButtonsAreTheGameKeysWithEnterAfterJumpAndPause) {
  Pad pad;
  pad.input.button(padInputByName("a"), true, 0, &pad.keys);
  pad.input.button(padInputByName("a"), true, 1, &pad.keys);  // no second press while held
  pad.input.button(padInputByName("a"), false, 2, &pad.keys);
  EXPECT_EQ(pad.take(),
            (std::vector<PadKey>{down(VK_INSERT), down(VK_RETURN), up(VK_INSERT), up(VK_RETURN)}));
  pad.input.button(padInputByName("start"), true, 0, &pad.keys);
  pad.input.button(padInputByName("back"), true, 0, &pad.keys);
  EXPECT_EQ(pad.take(), (std::vector<PadKey>{down(VK_F3), down(VK_RETURN), down(VK_F2)}));
  // Unplugged while holding: everything it held is let go, once.
  pad.input.stick(0, 30000, 0, &pad.keys);
  pad.take();
  pad.input.releaseAll(&pad.keys);
  pad.input.releaseAll(&pad.keys);
  EXPECT_EQ(pad.take(), (std::vector<PadKey>{up(VK_DOWN), up(VK_F2), up(VK_F3), up(VK_RETURN)}));
  EXPECT_FALSE(pad.input.repeating());
}

}  // namespace
