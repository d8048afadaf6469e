// When a resource compiler is installed, compile the generated script and
// check that what it stores is what the embedded table holds: the Windows
// build then loads the very bytes the portable build does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "embedded_resources.h"
#include "shell/sprite_manifest.h"

namespace {

using restest::le16;
using restest::le32;

using ResName = std::variant<int, std::string>;
using ResKey = std::pair<ResName, ResName>;  // type, name

// Reads a .res file: a sequence of headers (size, header size, type, name,
// ...) each followed by its data, aligned to four bytes.
std::map<ResKey, std::vector<unsigned char>> readRes(const std::vector<unsigned char>& d) {
  std::map<ResKey, std::vector<unsigned char>> out;
  size_t pos = 0;
  auto readName = [&](size_t& p) -> ResName {
    if (le16(&d[p]) == 0xFFFF) {
      p += 4;
      return int(le16(&d[p - 2]));
    }
    std::string s;
    while (le16(&d[p]) != 0) {
      s += char(le16(&d[p]));
      p += 2;
    }
    p += 2;  // no padding between the type and the name; headerSize covers the rest
    return s;
  };
  while (pos + 8 <= d.size()) {
    uint32_t size = le32(&d[pos]), headerSize = le32(&d[pos + 4]);
    size_t p = pos + 8;
    ResName type = readName(p);
    ResName name = readName(p);
    out[{type, name}] =
        std::vector<unsigned char>(d.begin() + std::ptrdiff_t(pos + headerSize),
                                   d.begin() + std::ptrdiff_t(pos + headerSize + size));
    pos = (pos + headerSize + size + 3) & ~size_t(3);
  }
  return out;
}

bool equalsEntry(const std::vector<unsigned char>& bytes, const EmbeddedResource* r) {
  return r && bytes.size() == r->size && std::equal(bytes.begin(), bytes.end(), r->data);
}

TEST(WindowsResources, ResourceCompilerStoresTheTablesBytes) {
  const std::string windres = SNOWVEL_WINDRES;
  if (windres.empty()) GTEST_SKIP() << "no windres installed";
  const std::string res = testing::TempDir() + "snowvel_resources_test.res";
  std::string command = windres + " -i \"" SNOWVEL_RC_FILE "\" -O res -o \"" + res + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(res, std::ios::binary);
  auto stored = readRes(std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));

  for (int id = 1; id <= kSpriteBitmapCount; ++id)
    EXPECT_TRUE(equalsEntry(stored[{2, id}], restest::findResource(restest::kBitmap, uint16_t(id))))
        << "bitmap " << id;
  for (int id = 1; id <= 9; ++id)
    EXPECT_TRUE(
        equalsEntry(stored[{std::string("WAVE"), id}], restest::findResource("WAVE", uint16_t(id))))
        << "wave " << id;
  // Strings come in bundles of 16 counted UTF-16 texts: bundle n holds ids 16(n-1) .. 16n-1.
  for (int id = 1; id <= 17; ++id) {
    const std::vector<unsigned char>& bundle = stored[{6, id / 16 + 1}];
    size_t p = 0;
    for (int skip = 0; skip < id % 16 && p + 2 <= bundle.size(); ++skip)
      p += 2 + 2 * le16(&bundle[p]);
    ASSERT_LE(p + 2, bundle.size()) << "string " << id;
    std::string text;
    for (int i = 0; i < le16(&bundle[p]); ++i) text += char(le16(&bundle[p + 2 + 2 * size_t(i)]));
    const EmbeddedResource* r = restest::findResource(restest::kString, uint16_t(id));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(text, std::string(reinterpret_cast<const char*>(r->data), r->size))
        << "string " << id;
  }
  EXPECT_EQ(stored.count({14, std::string("ICONSNOWVEL")}), 1u);
  EXPECT_EQ(stored.count({14, std::string("ICONSNOWVEL2")}), 1u);
  std::remove(res.c_str());
}

}  // namespace
