// wsprintfA: the status panel's and high-score list's formats at their edges,
// and the flags, widths and limits around them.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/win32/kernel.h"

namespace {
template <typename... Args>
std::string format(const char* spec, Args... args) {
  char buffer[1100];
  const int written = wsprintfA(buffer, spec, args...);
  EXPECT_EQ(written, lstrlenA(buffer));
  return buffer;
}
}  // namespace

TEST(Wsprintf, RunTimeFormat) {
  const char* runTime = "%2u:%2.2u:%2.2u.%2.2u";
  EXPECT_EQ(format(runTime, 0u, 0u, 0u, 0u), " 0:00:00.00");
  EXPECT_EQ(format(runTime, 0u, 0u, 59u, 99u), " 0:00:59.99");
  EXPECT_EQ(format(runTime, 1u, 2u, 3u, 45u), " 1:02:03.45");
  // Widths are minimums: a long run spills over rather than being cut.
  EXPECT_EQ(format(runTime, 123u, 0u, 0u, 5u), "123:00:00.05");
  EXPECT_EQ(format("%2.2u", 5u), "05");
}

TEST(Wsprintf, DistanceAndSpeedFormats) {
  EXPECT_EQ(format("%5.2dm", 7), "   07m");
  EXPECT_EQ(format("%5.2dm", 123), "  123m");
  EXPECT_EQ(format("%5.2dm", 0), "   00m");
  EXPECT_EQ(format("%5.2dm", -1000), "-1000m");
  EXPECT_EQ(format("%5.2dm/s", 12), "   12m/s");
  EXPECT_EQ(format("%5.2dm", 32767), "32767m");
  EXPECT_EQ(format("%5.2dm", -32768), "-32768m");
}

// The precision is the least number of digits; the sign does not count
// toward them.
TEST(Wsprintf, PrecisionPadsTheDigitsOfNegativeValues) {
  EXPECT_EQ(format("%5.2dm", -1), "  -01m");
  EXPECT_EQ(format("%.3d", -7), "-007");
}

TEST(Wsprintf, StyleAndScoreFormatsAre32Bit) {
  EXPECT_EQ(format("%7ld", 0), "      0");
  EXPECT_EQ(format("%7ld", 1234567), "1234567");
  EXPECT_EQ(format("%ld ", static_cast<LONG>(-83450)), "-83450 ");
  EXPECT_EQ(format("%ld", static_cast<LONG>(INT32_MIN)), "-2147483648");
  EXPECT_EQ(format("%ld", static_cast<LONG>(INT32_MAX)), "2147483647");
  EXPECT_EQ(format("%9ld", static_cast<LONG>(-5)), "       -5");
  EXPECT_EQ(format("%lu", static_cast<DWORD>(4294967295u)), "4294967295");
  EXPECT_EQ(format("%u", static_cast<unsigned>(-1)), "4294967295");
}

TEST(Wsprintf, FlagsWidthsAndHexadecimal) {
  EXPECT_EQ(format("%-5d|", 42), "42   |");
  EXPECT_EQ(format("%05d", -42), "-0042");
  EXPECT_EQ(format("%-05d|", 42), "42   |");
  EXPECT_EQ(format("%x %X %#x", 255, 255, 255), "ff FF 0xff");
  EXPECT_EQ(format("%08X", 0xBEEFu), "0000BEEF");
  EXPECT_EQ(format("%d", INT_MIN), "-2147483648");
}

// 'h' makes the argument a short: only its low 16 bits count.
TEST(Wsprintf, ShortPrefixTakesTheLow16Bits) {
  EXPECT_EQ(format("%hd %hu", 70000, 70000), "4464 4464");
  EXPECT_EQ(format("%hd", 0xFFFF), "-1");
}

TEST(Wsprintf, CharactersStringsAndLiterals) {
  EXPECT_EQ(format("%c%c", 'o', 'k'), "ok");
  EXPECT_EQ(format("[%8s]", "abc"), "[     abc]");
  EXPECT_EQ(format("[%-8s]", "abc"), "[abc     ]");
  EXPECT_EQ(format("[%.2s]", "abc"), "[ab]");
  EXPECT_EQ(format("%s line %u", "actors.cpp", 42u), "actors.cpp line 42");
  EXPECT_EQ(format("%s", static_cast<const char*>(nullptr)), "(null)");
  EXPECT_EQ(format("100%%"), "100%");
  // No floating point: the type letter comes out and no argument is taken.
  EXPECT_EQ(format("%f %d", 7), "f 7");
  EXPECT_EQ(format("trailing %"), "trailing ");
}

TEST(Wsprintf, OutputStopsAt1024Bytes) {
  std::string longText(2000, 'x');
  char buffer[1100];
  buffer[1024] = '#';
  EXPECT_EQ(wsprintfA(buffer, "%s", longText.c_str()), 1023);
  EXPECT_EQ(buffer[1023], '\0');
  EXPECT_EQ(buffer[1024], '#');
  // An absurd width is cut at the same limit.
  EXPECT_EQ(wsprintfA(buffer, "%99999999d", 1), 1023);
  EXPECT_EQ(buffer[1024], '#');
}
