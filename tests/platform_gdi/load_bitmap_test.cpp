// LoadBitmapA over a resource table of our own.
#include <gtest/gtest.h>

#include "dib_builder.h"
#include "platform/kernel/resource_table.h"
#include "platform/win32.h"

namespace {

class LoadBitmapTest : public testing::Test {
 protected:
  void SetUp() override {
    DibSource colour;
    colour.width = 3;
    colour.height = 2;
    colour.bitCount = 4;
    colour.palette = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF};
    colour.colorsUsed = 4;
    colour.pixels = {0, 1, 2, 3, 2, 1};
    colourBytes_ = packedDib(colour);

    DibSource mono;
    mono.width = 2;
    mono.height = -1;
    mono.bitCount = 1;
    mono.palette = {0x000000, 0xFFFFFF};
    mono.pixels = {1, 0};
    monoBytes_ = packedDib(mono);

    damagedBytes_ = colourBytes_;
    damagedBytes_.resize(damagedBytes_.size() - 1);

    table_[0] = {2, nullptr, 7, nullptr, colourBytes_.data(), colourBytes_.size()};
    table_[1] = {2, nullptr, 8, nullptr, monoBytes_.data(), monoBytes_.size()};
    table_[2] = {2, nullptr, 9, nullptr, damagedBytes_.data(), damagedBytes_.size()};
    table_[3] = {2, nullptr, 0, "NAMED", colourBytes_.data(), colourBytes_.size()};
    setResourceTable(table_, 4);
  }
  void TearDown() override { setResourceTable(nullptr, 0); }

  std::vector<uint8_t> colourBytes_, monoBytes_, damagedBytes_;
  EmbeddedResource table_[4] = {};
};

}  // namespace

TEST_F(LoadBitmapTest, DecodesAPackedDibIntoAColourBitmap) {
  HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(7));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 3);
  EXPECT_EQ(info.bmHeight, 2);
  EXPECT_GT(info.bmBitsPixel, 1);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(LoadBitmapTest, BlackAndWhiteImageBecomesMonochrome) {
  HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(8));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST_F(LoadBitmapTest, NamedMissingAndDamagedResources) {
  HBITMAP named = LoadBitmapA(nullptr, "named");
  EXPECT_NE(named, nullptr);
  DeleteObject(named);
  EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(99)), nullptr);
  EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(9)), nullptr);
}
