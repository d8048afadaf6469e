// The generated .rc script (for the Windows build) must declare the same
// resources as the embedded table (for the portable one), with the same
// bytes behind them, so both builds show and play the same things.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "embedded_resources.h"
#include "lib/resource_outputs.h"
#include "shell/sprite_manifest.h"

namespace {

using restest::le16;
using restest::le32;

struct RcScript {
  std::map<int, std::string> bitmaps, waves, strings;
  std::map<std::string, std::string> icons;
};

// Undoes the .rc quoting: "" is a quote, \\ a backslash.
std::string unquote(const std::string& quoted) {
  std::string out;
  for (size_t i = 1; i + 1 < quoted.size(); ++i) {
    if ((quoted[i] == '"' && quoted[i + 1] == '"') || (quoted[i] == '\\' && quoted[i + 1] == '\\'))
      ++i;
    out += quoted[i];
  }
  return out;
}

RcScript readScript(const std::string& path) {
  RcScript rc;
  std::ifstream in(path);
  EXPECT_TRUE(in) << "cannot open " << path;
  std::string line;
  bool inStrings = false;
  while (std::getline(in, line)) {
    if (line.empty() || line.rfind("//", 0) == 0) continue;
    if (line == "STRINGTABLE" || line == "BEGIN") {
      inStrings = true;
      continue;
    }
    if (line == "END") {
      inStrings = false;
      continue;
    }
    std::istringstream words(line);
    std::string name, kind, rest;
    if (inStrings) {
      words >> name;  // "<id>,"
      std::getline(words >> std::ws, rest);
      rc.strings[std::stoi(name)] = unquote(rest);
      continue;
    }
    words >> name >> kind;
    std::getline(words >> std::ws, rest);
    if (kind == "BITMAP")
      rc.bitmaps[std::stoi(name)] = unquote(rest);
    else if (kind == "WAVE")
      rc.waves[std::stoi(name)] = unquote(rest);
    else if (kind == "ICON")
      rc.icons[name] = unquote(rest);
    else
      ADD_FAILURE() << "unexpected line in the script: " << line;
  }
  return rc;
}

std::vector<unsigned char> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot open " << path;
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

bool sameBytes(const std::vector<unsigned char>& bytes, size_t skip, const EmbeddedResource* r) {
  return r && bytes.size() == skip + r->size &&
         std::equal(bytes.begin() + std::ptrdiff_t(skip), bytes.end(), r->data);
}

TEST(ResourceScript, DeclaresTheTablesResourcesWithTheSameBytes) {
  RcScript rc = readScript(SNOWVEL_RC_FILE);
  ASSERT_EQ(rc.bitmaps.size(), size_t(kSpriteBitmapCount));
  ASSERT_EQ(rc.waves.size(), 9u);
  ASSERT_EQ(rc.strings.size(), 17u);
  ASSERT_EQ(rc.icons.size(), 2u);
  EXPECT_EQ(kEmbeddedResourceCount, size_t(kSpriteBitmapCount) + 9u + 17u + 2u);

  for (auto& [id, path] : rc.bitmaps) {
    // windres stores a BITMAP as the .bmp file without its 14-byte header.
    EXPECT_TRUE(
        sameBytes(fileBytes(path), 14, restest::findResource(restest::kBitmap, uint16_t(id))))
        << "bitmap " << id;
  }
  EXPECT_EQ(rc.bitmaps.begin()->first, 1);
  EXPECT_EQ(rc.bitmaps.rbegin()->first, kSpriteBitmapCount);
  for (auto& [id, path] : rc.waves)
    EXPECT_TRUE(sameBytes(fileBytes(path), 0, restest::findResource("WAVE", uint16_t(id))))
        << "wave " << id;
  for (auto& [id, text] : rc.strings) {
    const EmbeddedResource* r = restest::findResource(restest::kString, uint16_t(id));
    ASSERT_NE(r, nullptr) << "string " << id;
    EXPECT_EQ(text, std::string(reinterpret_cast<const char*>(r->data), r->size));
  }
  for (auto& [name, path] : rc.icons) {
    const EmbeddedResource* group = nullptr;
    for (const EmbeddedResource* r : restest::resourcesOfType(restest::kGroupIcon))
      if (r->name && name == r->name) group = r;
    EXPECT_TRUE(sameBytes(fileBytes(path), 0, group)) << name;
  }
  EXPECT_TRUE(rc.icons.count("ICONSNOWVEL") && rc.icons.count("ICONSNOWVEL2"));
}

TEST(ResourceScript, IconGroupsHold32And16PixelImages) {
  std::set<std::string> names;
  for (const EmbeddedResource* r : restest::resourcesOfType(restest::kGroupIcon)) {
    ASSERT_NE(r->name, nullptr);
    names.insert(r->name);
    const unsigned char* p = r->data;
    ASSERT_GE(r->size, 6u + 2 * 16u);
    EXPECT_EQ(le16(p), 0);
    EXPECT_EQ(le16(p + 2), 1);
    ASSERT_EQ(le16(p + 4), 2) << r->name;
    std::set<int> sizes;
    for (int i = 0; i < 2; ++i) {
      const unsigned char* entry = p + 6 + 16 * i;
      sizes.insert(entry[0]);
      EXPECT_EQ(entry[0], entry[1]);
      EXPECT_EQ(le16(entry + 6), 4);  // bits per pixel
      uint32_t bytes = le32(entry + 8), offset = le32(entry + 12);
      ASSERT_LE(offset + bytes, r->size);
      // The image's own header: square, height doubled for the AND mask.
      EXPECT_EQ(le32(p + offset + 4), entry[0]);
      EXPECT_EQ(le32(p + offset + 8), 2u * entry[0]);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32})) << r->name;
  }
  EXPECT_EQ(names, (std::set<std::string>{"ICONSNOWVEL", "ICONSNOWVEL2"}));
}

TEST(ResourceScript, QuotesTextTheWayTheResourceCompilerReadsIt) {
  EXPECT_EQ(snowtools::rcQuoted(" <-- that's you!"), "\" <-- that's you!\"");
  EXPECT_EQ(snowtools::rcQuoted("say \"hi\" C:\\x"), "\"say \"\"hi\"\" C:\\\\x\"");
  EXPECT_EQ(unquote(snowtools::rcQuoted("a\"\\b")), "a\"\\b");
}

}  // namespace

// The browser's table: each clip keeps its header and length, its samples
// zero until the page writes in the samples file, which holds every clip's
// samples in table order. Together they must be the clips, byte for byte.
TEST(ResourceScript, BrowserTableKeepsClipHeadersAndTheSamplesFileTheRest) {
  std::vector<snowtools::LoadedResource> loaded;
  for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    const EmbeddedResource& r = kEmbeddedResources[i];
    loaded.push_back({r.typeName ? uint16_t(0) : r.typeId, r.typeName ? r.typeName : "", r.id,
                      r.name ? r.name : "", std::vector<uint8_t>(r.data, r.data + r.size)});
  }
  std::vector<uint8_t> samples;
  const std::string source = snowtools::generateTableSourceSamplesApart(loaded, &samples);
  size_t at = 0;
  for (const EmbeddedResource* clip : restest::resourcesOfType("WAVE")) {
    const std::vector<uint8_t> wave(clip->data, clip->data + clip->size);
    const size_t offset = snowtools::waveSamplesOffset(wave, "wave");
    EXPECT_EQ(std::string(wave.begin() + offset - 8, wave.begin() + offset - 4), "data");
    ASSERT_LE(at + wave.size() - offset, samples.size());
    EXPECT_TRUE(std::equal(wave.begin() + offset, wave.end(), samples.begin() + at))
        << "wave " << clip->id;
    at += wave.size() - offset;
    // Writable, its whole length, and its header alone written out: the
    // array's initialiser ends with the data chunk's length.
    const std::string declared = "unsigned char res_WAVE_" + std::to_string(clip->id) + "[" +
                                 std::to_string(clip->size) + "] = {";
    const size_t start = source.find(declared);
    ASSERT_NE(start, std::string::npos) << declared;
    const size_t end = source.find("};", start);
    std::string last = std::to_string(wave[offset - 1]) + ",\n";
    EXPECT_EQ(source.substr(end - last.size(), last.size()), last) << "wave " << clip->id;
    EXPECT_EQ(std::count(source.begin() + start, source.begin() + end, ','), ptrdiff_t(offset));
  }
  EXPECT_EQ(at, samples.size());
}
