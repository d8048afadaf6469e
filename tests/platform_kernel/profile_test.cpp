// Private profile files against real files in a scratch directory: lookups,
// trimming and quotes, truncation, where writes put new lines, what they keep,
// deletions and enumeration.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/win32/kernel.h"
#ifndef _WIN32  // the layer's own profile directory
#include "platform/kernel/process_settings.h"
#endif
#include "temp_directory.h"

namespace {
class Profile : public ::testing::Test {
 protected:
  void SetUp() override { path = dir.file("tolvane.ini"); }

  std::string get(const char* section, const char* key, const char* fallback = "none",
                  DWORD size = 256) {
    std::string buffer(size + 1, '#');
    const DWORD length =
        GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, path.c_str());
    EXPECT_EQ(length, static_cast<DWORD>(lstrlenA(buffer.c_str())));
    EXPECT_EQ(buffer[size], '#') << "wrote past the buffer";
    return buffer.c_str();
  }
  BOOL put(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, path.c_str());
  }

  TempDirectory dir;
  std::string path;
};
}  // namespace

TEST_F(Profile, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(get("Snowvel", "SS", ""), "");
  EXPECT_EQ(get("Snowvel", "SS", "fallback"), "fallback");
  EXPECT_EQ(get("Snowvel", "SS", nullptr), "");
  writeBytes(path, "[Other]\nSS=1\n[Snowvel]\nGS=2\n");
  EXPECT_EQ(get("Snowvel", "SS"), "none");
  EXPECT_EQ(get("Missing", "GS"), "none");
  // Windows drops the default's trailing blanks.
  EXPECT_EQ(get("Missing", "GS", "pad   "), "pad");
}

TEST_F(Profile, NamesMatchWithoutCaseAndBlanksAndQuotesAreStripped) {
  writeBytes(path,
             "; high scores\n"
             "  [ SnowVel ]  \n"
             "  ss  =  -83450 -90000   \n"
             "GS=\"  quoted  \"\n"
             "FS='single'\n"
             "odd=\"unmatched'\n"
             "one=\"\n");
  EXPECT_EQ(get("snowvel", "SS"), "-83450 -90000");
  EXPECT_EQ(get("SNOWVEL", "gs"), "  quoted  ");
  EXPECT_EQ(get("Snowvel", "FS"), "single");
  EXPECT_EQ(get("Snowvel", "odd"), "\"unmatched'");
  EXPECT_EQ(get("Snowvel", "one"), "\"");
  EXPECT_EQ(get(" Snowvel ", " SS "), "-83450 -90000");
}

TEST_F(Profile, FirstSectionAndFirstKeyOfANameWin) {
  writeBytes(path, "[Snowvel]\nSS=first\nSS=second\n[snowvel]\nSS=third\nGS=4\n");
  EXPECT_EQ(get("Snowvel", "SS"), "first");
  // Only the first section of a name is searched.
  EXPECT_EQ(get("Snowvel", "GS"), "none");
}

TEST_F(Profile, LongValueIsCutToTheBuffer) {
  writeBytes(path, "[Snowvel]\nSS=0123456789\n");
  EXPECT_EQ(get("Snowvel", "SS", "", 5), "0123");
  EXPECT_EQ(get("Snowvel", "SS", "", 1), "");
  EXPECT_EQ(get("Snowvel", "SS", "", 11), "0123456789");
  char untouched = '#';
  EXPECT_EQ(GetPrivateProfileStringA("Snowvel", "SS", "", &untouched, 0, path.c_str()), 0u);
  EXPECT_EQ(untouched, '#');
}

TEST_F(Profile, WritingCreatesFileSectionAndKeyInPlace) {
  ASSERT_TRUE(put("Snowvel", "SS", "-83450 "));
  EXPECT_EQ(readBytes(path), "[Snowvel]\nSS=-83450 \n");
  ASSERT_TRUE(put("Snowvel", "FS", "120 "));
  ASSERT_TRUE(put("Other", "x", "1"));
  ASSERT_TRUE(put("snowvel", "GS", "5"));
  ASSERT_TRUE(put("SNOWVEL", "ss", "-1 "));
  EXPECT_EQ(readBytes(path), "[Snowvel]\nSS=-1 \nFS=120 \nGS=5\n[Other]\nx=1\n");
  // Written values read back trimmed, as every value does.
  EXPECT_EQ(get("Snowvel", "SS"), "-1");
}

TEST_F(Profile, WritingKeepsEveryOtherLineAndItsLineEnding) {
  const std::string before =
      "; written by hand\r\n"
      "[Snowvel]\r\n"
      "SS = -5 \r\n"
      "; the freestyle list\r\n"
      "FS=7\r\n"
      "\r\n"
      "not a key line\r\n"
      "[Other]\r\n"
      "k=v";
  writeBytes(path, before);
  ASSERT_TRUE(put("Snowvel", "SS", "-4 "));
  ASSERT_TRUE(put("Snowvel", "GS", "9"));
  ASSERT_TRUE(put("Other", "k2", "w"));
  EXPECT_EQ(readBytes(path),
            "; written by hand\r\n"
            "[Snowvel]\r\n"
            "SS=-4 \r\n"
            "; the freestyle list\r\n"
            "FS=7\r\n"
            "\r\n"
            "not a key line\r\n"
            "GS=9\r\n"
            "[Other]\r\n"
            "k=v\r\n"
            "k2=w\r\n");
}

TEST_F(Profile, NewKeyGoesBeforeTheBlankLinesThatEndItsSection) {
  writeBytes(path, "[A]\na=1\n\n\n[B]\nb=2\n");
  ASSERT_TRUE(put("A", "c", "3"));
  EXPECT_EQ(readBytes(path), "[A]\na=1\nc=3\n\n\n[B]\nb=2\n");
}

TEST_F(Profile, NullValueDeletesKeyAndNullKeyDeletesSection) {
  writeBytes(path, "[Snowvel]\nSS=1\nGS=2\n; note\n[Other]\nk=v\n");
  ASSERT_TRUE(put("Snowvel", "ss", nullptr));
  EXPECT_EQ(readBytes(path), "[Snowvel]\nGS=2\n; note\n[Other]\nk=v\n");
  ASSERT_TRUE(put("snowvel", nullptr, nullptr));
  EXPECT_EQ(readBytes(path), "[Other]\nk=v\n");
  // Deleting what is not there succeeds and leaves the file alone.
  ASSERT_TRUE(put("Snowvel", "SS", nullptr));
  ASSERT_TRUE(put("Nowhere", nullptr, nullptr));
  EXPECT_EQ(readBytes(path), "[Other]\nk=v\n");
}

TEST_F(Profile, NamesOrValuesThatWouldCorruptOtherLinesAreRefused) {
  writeBytes(path, "[Snowvel]\nSS=1\n");
  EXPECT_FALSE(put("Snowvel", "SS", "1\n[Evil]\nx=1"));
  EXPECT_FALSE(put("Snow]vel", "SS", "1"));
  EXPECT_FALSE(put("Snowvel", "S=S", "1"));
  EXPECT_FALSE(put("Snowvel", ";SS", "1"));
  EXPECT_FALSE(put("", "SS", "1"));
  EXPECT_FALSE(put("Snowvel", "  ", "1"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(readBytes(path), "[Snowvel]\nSS=1\n");
}

TEST_F(Profile, EnumeratesSectionsAndKeysAsDoubleTerminatedLists) {
  writeBytes(path, "[Snowvel]\nSS=1\nGS=2\nss=3\n; c=1\n[Other]\n[SNOWVEL]\nFS=4\n");
  char buffer[64];
  DWORD length = GetPrivateProfileStringA(nullptr, nullptr, "x", buffer, 64, path.c_str());
  EXPECT_EQ(std::string(buffer, length + 1), std::string("Snowvel\0Other\0", 15));
  EXPECT_EQ(buffer[length], '\0');
  length = GetPrivateProfileStringA("snowvel", nullptr, "x", buffer, 64, path.c_str());
  EXPECT_EQ(std::string(buffer, length + 1), std::string("SS\0GS\0", 7));
  // Cut short: the list still ends in two terminators and returns size - 2.
  length = GetPrivateProfileStringA("Snowvel", nullptr, "x", buffer, 5, path.c_str());
  EXPECT_EQ(length, 3u);
  EXPECT_EQ(std::string(buffer, 5), std::string("SS\0\0\0", 5));
  // An empty section lists nothing.
  length = GetPrivateProfileStringA("Other", nullptr, "x", buffer, 64, path.c_str());
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(buffer[0], '\0');
}

TEST_F(Profile, IntegersReadWithSignAndDigitPrefix) {
  writeBytes(path, "[Snowvel]\na=42\nb=-7\nc=12abc\nd=abc\ne=\n");
  EXPECT_EQ(GetPrivateProfileIntA("Snowvel", "a", 5, path.c_str()), 42u);
  EXPECT_EQ(static_cast<INT>(GetPrivateProfileIntA("Snowvel", "b", 5, path.c_str())), -7);
  EXPECT_EQ(GetPrivateProfileIntA("Snowvel", "c", 5, path.c_str()), 12u);
  EXPECT_EQ(GetPrivateProfileIntA("Snowvel", "d", 5, path.c_str()), 0u);
  EXPECT_EQ(GetPrivateProfileIntA("Snowvel", "e", 5, path.c_str()), 5u);
  EXPECT_EQ(GetPrivateProfileIntA("Snowvel", "f", 5, path.c_str()), 5u);
}

// Bare names live in the per-user data directory, which the driver or the
// environment chooses. (On Windows they live in the Windows directory.)
#ifndef _WIN32
TEST(ProfileLocation, BareNameLivesInTheDataDirectoryCreatedOnFirstWrite) {
  TempDirectory dir;
  const std::string dataDir = dir.file("nested/snowvel");
  setProfileDirectory(dataDir);
  char buffer[32];
  EXPECT_EQ(GetPrivateProfileStringA("Snowvel", "SS", "", buffer, 32, "tolvane.ini"), 0u);
  ASSERT_TRUE(WritePrivateProfileStringA("Snowvel", "SS", "-100 ", "tolvane.ini"));
  EXPECT_EQ(readBytes(dataDir + "/tolvane.ini"), "[Snowvel]\nSS=-100 \n");
  EXPECT_EQ(GetPrivateProfileStringA("Snowvel", "SS", "", buffer, 32, "tolvane.ini"), 4u);
  EXPECT_STREQ(buffer, "-100");
  setProfileDirectory("");
}

TEST(ProfileLocation, DirectoryFollowsTheEnvironmentWhenNotSet) {
  setProfileDirectory("");
  const char* savedData = std::getenv("SNOWVEL_DATA_DIR");
  const char* savedXdg = std::getenv("XDG_DATA_HOME");
  const std::string keepData = savedData ? savedData : "";
  const std::string keepXdg = savedXdg ? savedXdg : "";

  ::setenv("SNOWVEL_DATA_DIR", "/data/here", 1);
  EXPECT_EQ(profileDirectory(), "/data/here");
  setProfileDirectory("/chosen");
  EXPECT_EQ(profileDirectory(), "/chosen");
  setProfileDirectory("");
  ::unsetenv("SNOWVEL_DATA_DIR");
  ::setenv("XDG_DATA_HOME", "/xdg", 1);
  EXPECT_EQ(profileDirectory(), "/xdg/snowvel");
  // A relative XDG_DATA_HOME is ignored, as the XDG rules say.
  ::setenv("XDG_DATA_HOME", "relative", 1);
  EXPECT_NE(profileDirectory(), "relative/snowvel");

  savedData ? (void)::setenv("SNOWVEL_DATA_DIR", keepData.c_str(), 1)
            : (void)::unsetenv("SNOWVEL_DATA_DIR");
  savedXdg ? (void)::setenv("XDG_DATA_HOME", keepXdg.c_str(), 1)
           : (void)::unsetenv("XDG_DATA_HOME");
}
#endif
