// The sprite converter's reader must refuse anything outside our XPM
// convention with the file and line, and the BMP and icon writers must lay
// pixels out the way Windows reads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/bmp.h"
#include "lib/ico.h"
#include "lib/tool_error.h"
#include "lib/xpm.h"

namespace {

const char* const kColourLines[16] = {". c #FFFFFF", "# c #000000", "r c #800000", "g c #008000",
                                      "y c #808000", "b c #000080", "m c #800080", "c c #008080",
                                      "+ c #C0C0C0", "- c #808080", "R c #FF0000", "G c #00FF00",
                                      "Y c #FFFF00", "B c #0000FF", "M c #FF00FF", "C c #00FFFF"};

// A well-formed file: header line 3, colours on lines 4-19, rows from 20.
std::string xpmText(const std::string& header, const std::vector<std::string>& rows,
                    int colourToReplace = -1, const std::string& replacement = "") {
  std::string text = "/* XPM */\nstatic const char* const sprite_99[] = {\n\"" + header + "\",\n";
  for (int i = 0; i < 16; ++i)
    text += "\"" + (i == colourToReplace ? replacement : std::string(kColourLines[i])) + "\",\n";
  for (size_t i = 0; i < rows.size(); ++i)
    text += "\"" + rows[i] + "\"" + (i + 1 < rows.size() ? ",\n" : "\n");
  return text + "};\n";
}

std::string errorOf(const std::string& text, snowtools::XpmOptions options = {}) {
  try {
    snowtools::parseXpm(text, "sprite.xpm", options);
  } catch (const snowtools::ToolError& e) {
    return e.what();
  }
  return "accepted";
}

TEST(XpmReader, ReadsAWellFormedSpriteIntoPaletteIndices) {
  snowtools::IndexedImage image = snowtools::parseXpm(xpmText("3 2 16 1", {".#R", "C+."}), "s");
  ASSERT_EQ(image.width, 3);
  ASSERT_EQ(image.height, 2);
  // BMP colour indices: white 15, black 0, red 9, cyan 14, light grey 7.
  EXPECT_EQ(image.pixels, (std::vector<uint8_t>{15, 0, 9, 14, 7, 15}));
  EXPECT_TRUE(image.transparent.empty());
}

TEST(XpmReader, RefusesMalformedFilesNamingFileAndLine) {
  struct Case {
    std::string text;
    std::string where;
  };
  const Case cases[] = {
      {xpmText("3 2 16 1", {".#R", "C+"}), "sprite.xpm:21:"},    // ragged row
      {xpmText("3 2 16 1", {".#R", "C+.."}), "sprite.xpm:21:"},  // row too long
      {xpmText("3 2 16 1", {".#R", "CZ."}), "sprite.xpm:21:"},   // unknown colour
      {xpmText("3 3 16 1", {".#R", "C+."}), "sprite.xpm:21:"},   // too few rows
      {xpmText("3 1 16 1", {".#R", "C+."}), "sprite.xpm:21:"},   // too many rows
      {xpmText("3 2 15 1", {".#R", "C+."}), "sprite.xpm:3:"},    // colour count
      {xpmText("3 2 16 2", {".#R", "C+."}), "sprite.xpm:3:"},    // two chars a pixel
      {xpmText("3 2 16 1", {".#R", "C+."}, 4, "y c #808001"), "sprite.xpm:8:"},
      {xpmText("3 2 16 1", {".#R", "C+."}, 1, "r c #800000"), "sprite.xpm:5:"},  // order
      {xpmText("3 2 17 1", {".#R", "C+."}), "sprite.xpm:3:"},  // transparency only in icons
      {xpmText("8 11666666666666666666666 16 1", {".#R", "C+."}), "sprite.xpm:3:"},  // huge size
      {"static const char* const s[] = {\n", "sprite.xpm:1:"},                       // no marker
      {"/* XPM */\nchar s[] = {\n", "sprite.xpm:2:"},
  };
  for (const Case& c : cases) {
    std::string error = errorOf(c.text);
    EXPECT_EQ(error.rfind(c.where, 0), 0u) << "got: " << error;
  }
}

TEST(XpmReader, IconsMayUseOneTransparentColour) {
  std::string text = xpmText("2 1 17 1", {" #"});
  text.insert(text.find("\" #\""), "\"  c None\",\n");
  snowtools::IndexedImage image = snowtools::parseXpm(text, "icon", {.allowTransparent = true});
  EXPECT_TRUE(image.isTransparent(0, 0));
  EXPECT_FALSE(image.isTransparent(1, 0));

  std::vector<uint8_t> ico = snowtools::encodeIcoFile({image});
  ASSERT_EQ(ico.size(), 6u + 16u + 40u + 64u + 4u + 4u);
  const uint8_t* dib = ico.data() + 22;
  EXPECT_EQ(dib[8], 2);           // height counts the XOR image and the mask
  EXPECT_EQ(dib[104] >> 4, 0);    // transparent pixel is black in the XOR image
  EXPECT_EQ(dib[104] & 0x0F, 0);  // the black pixel itself
  EXPECT_EQ(dib[108], 0x80);      // AND mask: only the first pixel shows through
}

TEST(BmpWriter, RowsAreBottomUpHighNibbleFirstAndPaddedToFourBytes) {
  snowtools::IndexedImage image;
  image.width = 9;  // 5 bytes of pixels, padded to 8
  image.height = 2;
  image.pixels = {0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 15, 15, 15, 15, 15, 15, 15, 9};
  std::vector<uint8_t> file = snowtools::encodeBmpFile(image);
  ASSERT_EQ(file.size(), 14u + 40u + 64u + 2u * 8u);
  EXPECT_EQ(file[10], 118);  // pixel data right after the colour table
  const uint8_t* bottom = file.data() + 118;
  EXPECT_EQ(bottom[0], 0xFF);
  EXPECT_EQ(bottom[4], 0x90);
  EXPECT_EQ(bottom[5], 0);  // padding
  const uint8_t* top = bottom + 8;
  EXPECT_EQ(top[0], 0x01);
  EXPECT_EQ(top[4], 0x80);

  std::vector<uint8_t> dib = snowtools::packedDibOfBmpFile(file, "t.bmp");
  EXPECT_EQ(snowtools::decodePackedDib(dib, "t.bmp").pixels, image.pixels);
  dib[14] = 8;  // claim 8 bits per pixel
  EXPECT_THROW(snowtools::decodePackedDib(dib, "t.bmp"), snowtools::ToolError);
}

}  // namespace
