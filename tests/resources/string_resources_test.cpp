// The string table: ids 1 to 17 with their exact texts (leading blanks and
// printf formats included), and the source file's reader.
#include <gtest/gtest.h>

#include <string>

#include "embedded_resources.h"
#include "lib/string_table.h"
#include "lib/tool_error.h"

namespace {

const char* const kTexts[18] = {nullptr,
                                "Snowvel",
                                "Snowvel Paused ... Press F3 to continue",
                                "Time:",
                                "Dist:",
                                "Speed:",
                                "Style:",
                                "00:00:00.00",
                                " 0000m",
                                " 0000m/s",
                                "0000000",
                                "%2u:%2.2u:%2.2u.%2.2u",
                                "%5.2dm",
                                "%5.2dm/s",
                                "%7ld",
                                "High Scores",
                                " <-- that's you!",
                                " <-- try again!"};

TEST(StringResources, TableHoldsExactlyTheSeventeenTexts) {
  EXPECT_EQ(restest::resourcesOfType(restest::kString).size(), 17u);
  for (uint16_t id = 1; id <= 17; ++id) {
    const EmbeddedResource* r = restest::findResource(restest::kString, id);
    ASSERT_NE(r, nullptr) << "string " << id;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(r->data), r->size), kTexts[id])
        << "string " << id;
  }
}

TEST(StringTableFile, ReadsEscapesAndKeepsBlanksInsideTheQuotes) {
  auto entries = snowtools::parseStringTable(
      "# comment\n\n3 \"  two blanks\"\r\n7\t\"say \\\"hi\\\" \\\\ \"\n9 \"\"\n", "t.txt");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].id, 3);
  EXPECT_EQ(entries[0].text, "  two blanks");
  EXPECT_EQ(entries[1].text, "say \"hi\" \\ ");
  EXPECT_EQ(entries[2].text, "");
}

TEST(StringTableFile, RejectsMalformedLinesNamingTheLine) {
  struct Case {
    const char* text;
    const char* where;
  };
  for (Case c : {Case{"1 \"a\"\n1 \"b\"\n", "t.txt:2:"}, Case{"1 \"open\n", "t.txt:1:"},
                 Case{"x \"a\"\n", "t.txt:1:"}, Case{"0 \"a\"\n", "t.txt:1:"},
                 Case{"2 \"a\\n\"\n", "t.txt:1:"}, Case{"2 \"a\" junk\n", "t.txt:1:"},
                 Case{"2 \"tab\there\"\n", "t.txt:1:"}}) {
    try {
      snowtools::parseStringTable(c.text, "t.txt");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const snowtools::ToolError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.where, 0), 0u) << e.what();
    }
  }
}

}  // namespace
