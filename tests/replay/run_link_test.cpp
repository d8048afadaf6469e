// Links: a run packs and unpacks to the same bytes whatever its lines hold,
// and a link that is cut, changed, not base64url or a decompression bomb is
// refused with one line, before anything large is made.
#include <gtest/gtest.h>

#include "platform/replay/replay_format.h"
#include "platform/replay/run_link.h"

namespace {

std::string leb128(uint64_t value) {
  std::string out;
  while (value >= 0x80) {
    out += static_cast<char>(0x80 | (value & 0x7F));
    value >>= 7;
  }
  return out + static_cast<char>(value);
}

TEST(RunLink, AnyTextComesBackByteForByteFromEveryFormOfTheLink) {
  std::string ticks = "snowvel-replay 2\nrules 1\nseed 4294967200\n";
  for (uint32_t clock = 4294967200u, i = 0; i < 400; ++i, clock += 40)  // across the wrap
    ticks += "t " + std::to_string(clock) + " 4\nw\nt " + std::to_string(clock) + " 1\nw\nw\n";
  const std::string texts[] = {
      ticks + "end\nstate #0123456789abcdef\n",
      "",
      "t 5",                               // no newline at the end
      "t 05 1\nt 5 1\nt 99999999999 1\n",  // not clocks as the writer puts them
      "\x01"
      "5 1\n\x02x\nt 7\n\x01\n",  // lines that look packed already
      std::string("a\0b\n\xff\xfe", 6),
  };
  for (const std::string& text : texts) {
    const std::string fragment = runLinkFragment(text);
    ASSERT_EQ(fragment.find_first_not_of(
                  "run=ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"),
              std::string::npos);
    for (const std::string& link :
         {fragment, "#" + fragment, "https://example.org/snowvel/#" + fragment + "\n",
          fragment.substr(4)}) {
      std::string back, error;
      ASSERT_TRUE(readRunLink(link, &back, &error)) << error;
      EXPECT_EQ(back, text);
    }
  }
  // The idle ticks pack to almost nothing; a state goes as its digest.
  EXPECT_LT(runLinkFragment(ticks).size(), 200u);
  std::string back, error;
  ASSERT_TRUE(readRunLink(runLinkFragment("end\nstate {\"ticks\":400}\n"), &back, &error));
  EXPECT_EQ(back, "end\nstate " + stateDigest("{\"ticks\":400}") + "\n");
}

TEST(RunLink, CutChangedForeignAndBombLinksAreRefusedInOneLine) {
  std::string text = "snowvel-replay 2\nrules 1\n";
  for (int i = 0; i < 200; ++i) text += "t " + std::to_string(1000 + 40 * i) + " 1\ne 0 key 40 0\n";
  const std::string link = runLinkFragment(text).substr(4);
  std::string back, error;
  for (size_t cut = 0; cut < link.size(); ++cut) {
    EXPECT_FALSE(readRunLink(link.substr(0, cut), &back, &error)) << cut;
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
  for (const std::string bad : {"run=abc+def", "run=abc def", "run=abc=", "#run=%41%41"}) {
    EXPECT_FALSE(readRunLink(bad, &back, &error)) << bad;
    EXPECT_NE(error.find("not base64url"), std::string::npos) << error;
  }
  EXPECT_FALSE(readRunLink(base64UrlEncode("PK\x03\x04 a zip"), &back, &error));
  EXPECT_NE(error.find("not a packed run"), std::string::npos) << error;
  EXPECT_FALSE(readRunLink(link + "AAAA", &back, &error));

  // Claims more than the limit: refused before any unpacking.
  EXPECT_FALSE(readRunLink(base64UrlEncode("SR1" + leb128(kMostRunBytes + 1)), &back, &error));
  EXPECT_NE(error.find("over the limit"), std::string::npos) << error;
  // A match that would run past what the header claims, or far back.
  const std::string bomb =
      "SR1" + leb128(kMostRunBytes) + leb128(1) + "a" + leb128(1) + leb128(uint64_t{1} << 34);
  EXPECT_FALSE(readRunLink(base64UrlEncode(bomb), &back, &error));
  EXPECT_FALSE(readRunLink(
      base64UrlEncode("SR1" + leb128(8) + leb128(1) + "a" + leb128(2) + leb128(3)), &back, &error));
  // Exactly at the limit is a run like any other.
  const std::string full =
      "SR1" + leb128(kMostRunBytes) + leb128(1) + "a" + leb128(1) + leb128(kMostRunBytes - 1 - 4);
  ASSERT_TRUE(unpackRun(full, &back, &error)) << error;
  EXPECT_EQ(back, std::string(kMostRunBytes, 'a'));
}

}  // namespace
