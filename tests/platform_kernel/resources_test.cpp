// Resource lookup over a table of our own, and LoadStringA.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/kernel/resource_table.h"
#include "platform/win32/kernel.h"

namespace {
const unsigned char kBitmapBytes[] = {'B', 'M', 1, 2, 3};
const unsigned char kWaveBytes[] = {'R', 'I', 'F', 'F', 0, 0, 0, 0};
const unsigned char kIconBytes[] = {0, 0, 1, 0};
const unsigned char kTitle[] = {'S', 'n', 'o', 'w', 'v', 'e', 'l'};
const unsigned char kEmptyText[] = {0};

const EmbeddedResource kTable[] = {
    {2, nullptr, 7, nullptr, kBitmapBytes, sizeof kBitmapBytes},
    {0, "WAVE", 3, nullptr, kWaveBytes, sizeof kWaveBytes},
    {14, nullptr, 0, "ICONSNOWVEL", kIconBytes, sizeof kIconBytes},
    {6, nullptr, 1, nullptr, kTitle, sizeof kTitle},
    {6, nullptr, 2, nullptr, kEmptyText, 0},
};

class Resources : public ::testing::Test {
 protected:
  void SetUp() override { setResourceTable(kTable, std::size(kTable)); }
  void TearDown() override { setResourceTable(nullptr, 0); }
  HMODULE module = GetModuleHandleA(nullptr);
};
}  // namespace

TEST_F(Resources, FindsByIdAndByNameWithoutRegardToCase) {
  HRSRC bitmap = FindResourceA(module, MAKEINTRESOURCEA(7), RT_BITMAP);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(SizeofResource(module, bitmap), sizeof kBitmapBytes);
  HGLOBAL loaded = LoadResource(module, bitmap);
  EXPECT_EQ(LockResource(loaded), kBitmapBytes);

  EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(3), "WAVE"), nullptr);
  EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(3), "wave"), nullptr);
  EXPECT_NE(FindResourceA(module, "iconSnowvel", RT_GROUP_ICON), nullptr);
  EXPECT_NE(FindResourceA(module, "#7", RT_BITMAP), nullptr);
  EXPECT_NE(FindResourceA(module, "#3", "Wave"), nullptr);
  EXPECT_NE(FindResourceA(module, "#0007", RT_BITMAP), nullptr);
  // "#2" as a type is RT_BITMAP.
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(7), "#2"), nullptr);
  // Release is a no-op that the game may call freely.
  FreeResource(loaded);
  EXPECT_EQ(LockResource(LoadResource(module, bitmap)), kBitmapBytes);
}

TEST_F(Resources, MissingOrMalformedLookupsFindNothing) {
  SetLastError(0);
  EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(8), RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(3), "SOUND"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  // A numeric id never matches a named entry, nor a name a numbered one.
  EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(0), RT_GROUP_ICON), nullptr);
  EXPECT_EQ(FindResourceA(module, "7", RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(module, "iconSnowvel2", RT_GROUP_ICON), nullptr);
  for (const char* bad : {"#", "#65536", "#99999999999"})
    EXPECT_EQ(FindResourceA(module, bad, RT_BITMAP), nullptr) << bad;
  EXPECT_EQ(FindResourceA(module, nullptr, RT_BITMAP), nullptr);
  // Another module's handle is refused.
  EXPECT_EQ(FindResourceA(reinterpret_cast<HMODULE>(0x1234), MAKEINTRESOURCEA(7), RT_BITMAP),
            nullptr);
}

TEST_F(Resources, HandlesFromNowhereAreRefused) {
  EmbeddedResource forged = kTable[0];
  HRSRC forgedHandle = reinterpret_cast<HRSRC>(&forged);
  EXPECT_EQ(LoadResource(module, forgedHandle), nullptr);
  EXPECT_EQ(SizeofResource(module, forgedHandle), 0u);
  EXPECT_EQ(LoadResource(module, nullptr), nullptr);
  // Inside the table but not at the start of an entry.
  HRSRC misaligned = reinterpret_cast<HRSRC>(
      reinterpret_cast<char*>(const_cast<EmbeddedResource*>(&kTable[1])) + 1);
  EXPECT_EQ(LoadResource(module, misaligned), nullptr);
}

TEST_F(Resources, LoadStringCopiesTerminatesAndTruncates) {
  char buffer[256];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(LoadStringA(module, 1, buffer, 256), 7);
  EXPECT_STREQ(buffer, "Snowvel");

  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(LoadStringA(module, 1, buffer, 5), 4);
  EXPECT_STREQ(buffer, "Snow");
  EXPECT_EQ(buffer[5], '#');
  EXPECT_EQ(LoadStringA(module, 1, buffer, 1), 0);
  EXPECT_STREQ(buffer, "");

  // Absent and empty strings both read as the empty text.
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(LoadStringA(module, 99, buffer, 256), 0);
  EXPECT_STREQ(buffer, "");
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(LoadStringA(module, 2, buffer, 256), 0);
  EXPECT_STREQ(buffer, "");

  buffer[0] = '#';
  EXPECT_EQ(LoadStringA(module, 1, buffer, 0), 0);
  EXPECT_EQ(buffer[0], '#');
}
