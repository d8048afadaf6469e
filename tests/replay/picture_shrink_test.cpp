// The viewer's shrinking averages: every pixel of the smaller picture is the
// mean of what it covers, so a line one pixel thin stays visible as grey
// instead of vanishing with the column that held it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/replay/picture_shrink.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

std::vector<uint32_t> shrunk(const std::vector<uint32_t>& pixels, int stride, int width, int height,
                             int toWidth, int toHeight) {
  std::vector<uint32_t> out(static_cast<size_t>(toWidth) * toHeight, 0xDEADBE);
  shrinkPicture(PictureView{pixels.data(), stride, width, height}, out.data(), toWidth, toHeight);
  return out;
}

TEST(PictureShrink, HalvingAveragesEachTwoByTwoBlockPerChannel) {
  // Two blocks side by side: black and white crossed, and red over blue. A
  // stride wider than the picture: the fifth column is not the picture's.
  const std::vector<uint32_t> picture = {
      kBlack, kWhite, 0xFF0000, 0xFF0000, 0x123456,  //
      kWhite, kBlack, 0x0000FF, 0x0000FF, 0x123456,
  };
  // 2 * 255 / 4 = 127.5 of each channel, rounded half up.
  EXPECT_EQ(shrunk(picture, 5, 4, 2, 2, 1), (std::vector<uint32_t>{0x808080, 0x800080}));
}

TEST(PictureShrink, AThinLineSpreadsAsGreyRatherThanVanishing) {
  // A black column one pixel wide, three columns to two: each target column
  // covers a whole white pixel and half the black one, 2/3 white:
  // 255 * 2 / 3 = 170. Rows two to one average equal rows.
  const std::vector<uint32_t> upright = {kWhite, kBlack, kWhite, kWhite, kBlack, kWhite};
  EXPECT_EQ(shrunk(upright, 3, 3, 2, 2, 1), (std::vector<uint32_t>{0xAAAAAA, 0xAAAAAA}));

  // The second of four rows black, to three rows: in thirds of a source row,
  // target row 0 covers 3 of row 0 and 1 of row 1, 255 * 3 / 4 = 191.25;
  // target row 1 covers 2 of row 1 and 2 of row 2, 127.5; target row 2
  // covers rows 2 and 3, all white.
  const std::vector<uint32_t> across = {kWhite, kBlack, kWhite, kWhite};
  EXPECT_EQ(shrunk(across, 1, 1, 4, 1, 3), (std::vector<uint32_t>{0xBFBFBF, 0x808080, kWhite}));
}

}  // namespace
