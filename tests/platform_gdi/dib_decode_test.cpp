// The DIB decoder behind LoadBitmapA, on good images of every depth and on
// damaged or hostile ones.
#include "platform/gdi/dib_decode.h"

#include <gtest/gtest.h>

#include "dib_builder.h"

namespace {

const std::vector<uint32_t> kSixteen = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// A 5x3 image whose pixel (x, y) is palette entry (x + 5y) % colours, so
// every column of a packed byte and every row order matters.
DibSource indexed(uint16_t bits, int32_t height) {
  DibSource source;
  source.width = 5;
  source.height = height;
  source.bitCount = bits;
  const uint32_t colours = 1u << bits;
  for (uint32_t i = 0; i < colours; ++i) source.palette.push_back(kSixteen[(i * 7 + 3) % 16]);
  for (uint32_t i = 0; i < 15; ++i) source.pixels.push_back(i % colours);
  return source;
}

void expectPixels(const DecodedImage& image, const DibSource& source) {
  ASSERT_EQ(image.width, source.width);
  ASSERT_EQ(image.height, source.height < 0 ? -source.height : source.height);
  for (size_t i = 0; i < source.pixels.size(); ++i) {
    uint32_t want =
        source.bitCount <= 8 ? source.palette[source.pixels[i]] : source.pixels[i] & 0xFFFFFF;
    EXPECT_EQ(image.pixels[i], want) << "pixel " << i;
  }
}

bool decodes(const std::vector<uint8_t>& bytes, std::string* why = nullptr) {
  DecodedImage image;
  std::string error;
  bool ok = decodeDib(bytes.data(), bytes.size(), &image, &error);
  if (why) *why = error;
  EXPECT_EQ(ok, error.empty());
  if (!ok) {
    EXPECT_TRUE(image.pixels.empty());
  }
  return ok;
}

}  // namespace

TEST(DibDecode, IndexedDepthsBottomUpAndTopDown) {
  for (uint16_t bits : {1, 4, 8}) {
    for (int32_t height : {3, -3}) {
      SCOPED_TRACE(testing::Message() << bits << " bpp, height " << height);
      DibSource source = indexed(bits, height);
      std::vector<uint8_t> bytes = packedDib(source);
      DecodedImage image;
      ASSERT_TRUE(decodeDib(bytes.data(), bytes.size(), &image, nullptr));
      expectPixels(image, source);
    }
  }
}

TEST(DibDecode, TrueColourDepthsAndTheFileForm) {
  for (uint16_t bits : {24, 32}) {
    DibSource source;
    source.width = 3;
    source.height = 2;
    source.bitCount = bits;
    source.pixels = {0x123456, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000001};
    for (const auto& bytes : {packedDib(source), bmpFile(source)}) {
      DecodedImage image;
      ASSERT_TRUE(decodeDib(bytes.data(), bytes.size(), &image, nullptr)) << bits;
      expectPixels(image, source);
    }
  }
}

TEST(DibDecode, ShortPaletteGivesBlackPastItsEndAndFlagsBlackAndWhite) {
  DibSource source = indexed(4, 3);
  source.colorsUsed = 4;
  source.palette.resize(4);
  std::vector<uint8_t> bytes = packedDib(source);
  DecodedImage image;
  ASSERT_TRUE(decodeDib(bytes.data(), bytes.size(), &image, nullptr));
  EXPECT_EQ(image.pixels[3], source.palette[3]);
  EXPECT_EQ(image.pixels[4], 0u);
  EXPECT_FALSE(image.blackAndWhite);

  DibSource mono = indexed(1, 3);
  mono.palette = {0x000000, 0xFFFFFF};
  bytes = packedDib(mono);
  ASSERT_TRUE(decodeDib(bytes.data(), bytes.size(), &image, nullptr));
  EXPECT_TRUE(image.blackAndWhite);
  mono.palette = {0xFFFFFF, 0x000000};
  bytes = packedDib(mono);
  ASSERT_TRUE(decodeDib(bytes.data(), bytes.size(), &image, nullptr));
  EXPECT_FALSE(image.blackAndWhite);
}

TEST(DibDecode, EveryTruncationIsRejected) {
  for (const auto& whole : {packedDib(indexed(4, 3)), bmpFile(indexed(8, -3))}) {
    for (size_t size = 0; size < whole.size(); ++size) {
      std::vector<uint8_t> cut(whole.begin(), whole.begin() + size);
      EXPECT_FALSE(decodes(cut)) << "size " << size;
    }
    EXPECT_TRUE(decodes(whole));
  }
}

TEST(DibDecode, HostileHeadersAreRejected) {
  auto withField = [](DibSource source, size_t offset, uint32_t value, int bytes) {
    std::vector<uint8_t> out = packedDib(source);
    for (int i = 0; i < bytes; ++i) out[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    return out;
  };
  const DibSource good = indexed(8, 3);
  std::string why;
  EXPECT_FALSE(decodes(withField(good, 4, 0x7FFFFFFF, 4), &why)) << "huge width";
  EXPECT_FALSE(decodes(withField(good, 8, 0x80000000, 4), &why)) << "most negative height";
  EXPECT_FALSE(decodes(withField(good, 4, 0xFFFFFFFB, 4), &why)) << "negative width";
  EXPECT_FALSE(decodes(withField(good, 8, 0, 4), &why)) << "zero height";
  EXPECT_FALSE(decodes(withField(good, 8, 20000, 4), &why)) << "tall past the data";
  EXPECT_FALSE(decodes(withField(good, 14, 16, 2), &why)) << "16 bpp";
  EXPECT_FALSE(decodes(withField(good, 14, 2, 2), &why)) << "2 bpp";
  EXPECT_FALSE(decodes(withField(good, 12, 2, 2), &why)) << "two planes";
  EXPECT_FALSE(decodes(withField(good, 16, 1, 4), &why)) << "RLE8";
  EXPECT_FALSE(decodes(withField(good, 32, 257, 4), &why)) << "palette past 2^bpp";
  EXPECT_FALSE(decodes(withField(good, 32, 0xFFFFFFFF, 4), &why)) << "palette count overflow";
  EXPECT_FALSE(decodes(withField(good, 0, 0xFFFFFFF0, 4), &why)) << "header size overflow";
  EXPECT_FALSE(decodes(withField(good, 0, 20, 4), &why)) << "unknown header size";

  std::vector<uint8_t> file = bmpFile(good);
  for (uint32_t offBits : {0xFFFFFFFFu, static_cast<uint32_t>(file.size() + 1), 13u}) {
    std::vector<uint8_t> bad = file;
    for (int i = 0; i < 4; ++i) bad[10 + i] = static_cast<uint8_t>(offBits >> (8 * i));
    EXPECT_FALSE(decodes(bad)) << "bits offset " << offBits;
  }
  DecodedImage image;
  EXPECT_FALSE(decodeDib(nullptr, 100, &image, nullptr));
}
