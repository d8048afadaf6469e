// Game pixels become scale x scale blocks, only inside the rectangle asked for.
#include <gtest/gtest.h>

#include <vector>

#include "platform/sdl2/pixel_scaling.h"

namespace {

constexpr uint32_t kUntouched = 0xDEADBE;

struct Canvas {
  Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, kUntouched) {}
  PixelView view() { return PixelView{pixels.data(), width, width, height}; }
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  int width, height;
  std::vector<uint32_t> pixels;
};

// A 4x3 frame whose pixel (x, y) is 0x00yyxx + 1.
std::vector<uint32_t> numberedFrame() {
  std::vector<uint32_t> frame;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) frame.push_back(static_cast<uint32_t>(y << 8 | x) + 1);
  return frame;
}

TEST(PixelScaling, EachPixelBecomesABlockAndNothingOutsideTheRectChanges) {
  std::vector<uint32_t> frame = numberedFrame();
  Canvas target(12, 9);
  RECT real =
      scaleRectInto(ConstPixelView{frame.data(), 4, 4, 3}, RECT{1, 1, 3, 2}, 3, target.view());
  EXPECT_EQ(real.left, 3);
  EXPECT_EQ(real.top, 3);
  EXPECT_EQ(real.right, 9);
  EXPECT_EQ(real.bottom, 6);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) {
      bool inside = x >= 3 && x < 9 && y >= 3 && y < 6;
      uint32_t expected = inside ? static_cast<uint32_t>((y / 3) << 8 | (x / 3)) + 1 : kUntouched;
      ASSERT_EQ(target.at(x, y), expected) << x << "," << y;
    }
}

TEST(PixelScaling, ClipsToTheSourceAndToASmallerTarget) {
  std::vector<uint32_t> frame = numberedFrame();
  // The window came out smaller than asked: 7x5 real pixels for a 4x3 frame
  // at scale 2, and the rect reaches past the frame.
  Canvas target(7, 5);
  RECT real =
      scaleRectInto(ConstPixelView{frame.data(), 4, 4, 3}, RECT{-5, -5, 10, 10}, 2, target.view());
  EXPECT_EQ(real.right, 7);
  EXPECT_EQ(real.bottom, 5);
  EXPECT_EQ(target.at(6, 4), frame[2 * 4 + 3]);
  EXPECT_EQ(target.at(0, 0), frame[0]);

  RECT none =
      scaleRectInto(ConstPixelView{frame.data(), 4, 4, 3}, RECT{4, 0, 6, 3}, 2, target.view());
  EXPECT_EQ(none.right - none.left, 0);
}

TEST(PixelScaling, ScaleOneCopiesRowsThroughTheirStrides) {
  std::vector<uint32_t> frame = numberedFrame();
  Canvas target(6, 4);
  scaleRectInto(ConstPixelView{frame.data() + 1, 4, 3, 3}, RECT{0, 0, 3, 3}, 1, target.view());
  EXPECT_EQ(target.at(0, 2), frame[2 * 4 + 1]);
  EXPECT_EQ(target.at(2, 1), frame[1 * 4 + 3]);
  EXPECT_EQ(target.at(3, 0), kUntouched);
}

}  // namespace
