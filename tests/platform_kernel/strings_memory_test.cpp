// The lstr functions, local memory and the clock.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/kernel.h"
#ifndef _WIN32  // the layer's own clock and command line
#include "fake_backend.h"
#include "platform/kernel/process_settings.h"
#endif

TEST(LstrFunctions, CompareWithoutCaseTheWayTheCommandLineNeedsIt) {
  EXPECT_EQ(lstrcmpiA("nosound", "NoSound"), 0);
  EXPECT_EQ(lstrcmpiA("NOSOUND", "nosound"), 0);
  EXPECT_NE(lstrcmpiA("nosound now", "nosound"), 0);
  EXPECT_NE(lstrcmpiA("nosoun", "nosound"), 0);
  EXPECT_LT(lstrcmpiA("apple", "Banana"), 0);
  EXPECT_GT(lstrcmpiA("b", "A"), 0);
  // The case-sensitive compare sorts words: case matters last, lower first.
  EXPECT_GT(lstrcmpA("A", "a"), 0);
  EXPECT_LT(lstrcmpA("a", "B"), 0);
  EXPECT_LT(lstrcmpA("snowvel", "SnowVel"), 0);
  EXPECT_EQ(lstrcmpA("Snowvel", "Snowvel"), 0);
  EXPECT_EQ(lstrcmpiA("", ""), 0);
  // NULL sorts before everything, and equals only NULL.
  EXPECT_EQ(lstrcmpiA(nullptr, nullptr), 0);
  EXPECT_LT(lstrcmpiA(nullptr, ""), 0);
  EXPECT_GT(lstrcmpiA("", nullptr), 0);
}

TEST(LstrFunctions, CopyConcatenateAndLengthTolerateNull) {
  char buffer[16] = "junk";
  EXPECT_EQ(lstrcpyA(buffer, "Snow"), buffer);
  EXPECT_EQ(lstrcatA(buffer, "vel"), buffer);
  EXPECT_STREQ(buffer, "Snowvel");
  EXPECT_EQ(lstrlenA(buffer), 7);
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrcpyA(nullptr, "x"), nullptr);
  EXPECT_EQ(lstrcpyA(buffer, nullptr), nullptr);
  EXPECT_EQ(lstrcatA(buffer, nullptr), nullptr);
  EXPECT_STREQ(buffer, "Snowvel");

  char small[4];
  std::memset(small, '#', sizeof small);
  lstrcpynA(small, "Snowvel", 4);
  EXPECT_STREQ(small, "Sno");
  lstrcpynA(small, "Snowvel", 1);
  EXPECT_STREQ(small, "");
  small[0] = '#';
  EXPECT_EQ(lstrcpynA(small, "Snowvel", 0), small);
  EXPECT_EQ(small[0], '#');
}

TEST(LocalMemory, FixedBlocksZeroedWhenAskedAndForeignHandlesRefused) {
  char* text = static_cast<char*>(LocalAlloc(LMEM_FIXED, 12));
  ASSERT_NE(text, nullptr);
  lstrcpyA(text, "cached text");
  EXPECT_EQ(LocalSize(text), 12u);

  auto* zeroed = static_cast<unsigned char*>(LocalAlloc(LPTR, 64));
  ASSERT_NE(zeroed, nullptr);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(zeroed[i], 0) << i;

  HLOCAL empty = LocalAlloc(LMEM_FIXED, 0);
  EXPECT_NE(empty, nullptr);

  EXPECT_EQ(LocalFree(text), nullptr);
  EXPECT_EQ(LocalFree(zeroed), nullptr);
  EXPECT_EQ(LocalFree(empty), nullptr);
  EXPECT_EQ(LocalFree(nullptr), nullptr);
  // A block freed twice, or memory that never came from LocalAlloc, comes back.
  int notOurs = 0;
  SetLastError(0);
  EXPECT_EQ(LocalFree(&notOurs), &notOurs);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(LocalMemory, ImpossibleSizeFailsCleanly) {
  SetLastError(0);
  EXPECT_EQ(LocalAlloc(LMEM_FIXED, SIZE_MAX - 16), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

#ifndef _WIN32  // the layer's own clock and command line
TEST(Process, TickCountComesFromTheBackendClockAndWraps) {
  FakeBackendInstalled fake;
  fakeBackendState().now = 40;
  EXPECT_EQ(GetTickCount(), 40u);
  fakeBackendState().now = 0xFFFFFFF0u;
  const DWORD before = GetTickCount();
  fakeBackendState().now += 0x30;
  EXPECT_EQ(GetTickCount() - before, 0x30u);
}

TEST(Process, ModuleHandleAndCommandLine) {
  EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
  EXPECT_EQ(GetModuleHandleA("user32.dll"), nullptr);
  setCommandLine("snowvel nosound");
  EXPECT_STREQ(GetCommandLineA(), "snowvel nosound");
}
#endif
