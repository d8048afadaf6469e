// The window icon: pictures read out of .ico files, with the AND mask as
// transparency, and nothing read outside the bytes given.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/sdl2/ico_image.h"
#include "platform/win32.h"

namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A 4-bpp picture of size n x n: palette 0 black, 1 red; the left column red,
// the rest black; the top row transparent through the mask.
std::vector<uint8_t> picture(int n) {
  std::vector<uint8_t> dib;
  put32(dib, 40);
  put32(dib, static_cast<uint32_t>(n));
  put32(dib, static_cast<uint32_t>(2 * n));
  put16(dib, 1);
  put16(dib, 4);
  for (int i = 0; i < 6; ++i) put32(dib, 0);
  put32(dib, 0x00000000);  // black
  put32(dib, 0x00FF0000);  // red (BGRX in the file: B=0, G=0, R=FF)
  for (int i = 2; i < 16; ++i) put32(dib, 0);
  size_t colourRow = ((static_cast<size_t>(n) * 4 + 31) / 32) * 4;
  for (int row = 0; row < n; ++row) {  // bottom-up
    std::vector<uint8_t> bits(colourRow, 0);
    bits[0] = 0x10;  // pixel 0 = index 1
    dib.insert(dib.end(), bits.begin(), bits.end());
  }
  size_t maskRow = ((static_cast<size_t>(n) + 31) / 32) * 4;
  for (int row = 0; row < n; ++row) {
    std::vector<uint8_t> bits(maskRow, 0);
    if (row == n - 1) std::memset(bits.data(), 0xFF, maskRow);  // the top row
    dib.insert(dib.end(), bits.begin(), bits.end());
  }
  return dib;
}

std::vector<uint8_t> icoFile(const std::vector<std::vector<uint8_t>>& pictures,
                             const std::vector<int>& sizes) {
  std::vector<uint8_t> out;
  put16(out, 0);
  put16(out, 1);
  put16(out, static_cast<uint16_t>(pictures.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) {
    out.push_back(static_cast<uint8_t>(sizes[i]));
    out.push_back(static_cast<uint8_t>(sizes[i]));
    out.push_back(16);
    out.push_back(0);
    put16(out, 1);
    put16(out, 4);
    put32(out, static_cast<uint32_t>(pictures[i].size()));
    put32(out, offset);
    offset += static_cast<uint32_t>(pictures[i].size());
  }
  for (const auto& p : pictures) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(IcoImage, TakesTheLargestPictureWithItsMaskAsAlpha) {
  std::vector<uint8_t> file = icoFile({picture(16), picture(32)}, {16, 32});
  IconImage image;
  ASSERT_TRUE(decodeIcoFile(file.data(), file.size(), &image));
  ASSERT_EQ(image.width, 32);
  ASSERT_EQ(image.height, 32);
  EXPECT_EQ(image.pixels[0] >> 24, 0u) << "the top row is transparent";
  EXPECT_EQ(image.pixels[32 * 5 + 0], 0xFFFF0000u) << "opaque red in the left column";
  EXPECT_EQ(image.pixels[32 * 5 + 7], 0xFF000000u) << "opaque black elsewhere";
}

TEST(IcoImage, RefusesDamagedFilesWithoutReadingPastThem) {
  std::vector<uint8_t> file = icoFile({picture(16)}, {16});
  IconImage image;
  for (size_t cut : {size_t{0}, size_t{5}, size_t{21}, size_t{60}, file.size() - 200}) {
    std::vector<uint8_t> truncated(file.begin(), file.begin() + static_cast<long>(cut));
    EXPECT_FALSE(decodeIcoFile(truncated.data(), truncated.size(), &image)) << cut;
  }
  std::vector<uint8_t> badOffset = file;
  badOffset[6 + 12] = 0xFF;  // the picture's offset points far outside
  badOffset[6 + 15] = 0x7F;
  EXPECT_FALSE(decodeIcoFile(badOffset.data(), badOffset.size(), &image));
  std::vector<uint8_t> cursor = file;
  cursor[2] = 2;  // a cursor file, not an icon
  EXPECT_FALSE(decodeIcoFile(cursor.data(), cursor.size(), &image));
}

TEST(IcoImage, TheProgramsOwnIconGroupDecodes) {
  HRSRC found = FindResourceA(nullptr, "iconSnowvel", RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  const void* bytes = LockResource(LoadResource(nullptr, found));
  IconImage image;
  ASSERT_TRUE(
      decodeIcoFile(static_cast<const uint8_t*>(bytes), SizeofResource(nullptr, found), &image));
  EXPECT_EQ(image.width, 32);
  size_t opaque = 0;
  for (uint32_t p : image.pixels) opaque += (p >> 24) == 0xFF;
  EXPECT_GT(opaque, image.pixels.size() / 4) << "the icon shows a picture";
}

}  // namespace
