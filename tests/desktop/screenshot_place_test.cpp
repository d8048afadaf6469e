// Where PrintScreen's pictures go and what they are called.
#include "platform/sdl2/screenshot_place.h"

#include <gtest/gtest.h>

#include <map>

namespace {

EnvironmentLookup environment(std::map<std::string, std::string> values) {
  return [values](const char* name) {
    auto it = values.find(name);
    return it != values.end() ? it->second : std::string();
  };
}

TEST(ScreenshotPlace, PicturesFolderFromUserDirsElseTheEnvironmentElseHome) {
  auto home = environment({{"HOME", "/home/ann"}});
  EXPECT_EQ(picturesFolder(home,
                           "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                           "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"),
            "/home/ann/Bilder");
  EXPECT_EQ(picturesFolder(home, "  XDG_PICTURES_DIR=\"/srv/shots\"\n"), "/srv/shots");
  // A relative or unquoted value is no folder; the fallbacks take over.
  EXPECT_EQ(picturesFolder(home, "XDG_PICTURES_DIR=\"shots\"\nXDG_PICTURES_DIR=/x\n"),
            "/home/ann/Pictures");
  EXPECT_EQ(picturesFolder(environment({{"HOME", "/home/ann"}, {"XDG_PICTURES_DIR", "/p"}}), ""),
            "/p");
  EXPECT_EQ(picturesFolder(environment({}), "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n"), "");
}

TEST(ScreenshotPlace, NamesCarryTheDateAndTimeAndCountOnWithinASecond) {
  std::tm when{};
  when.tm_year = 2026 - 1900;
  when.tm_mon = 11;
  when.tm_mday = 8;
  when.tm_hour = 9;
  when.tm_min = 5;
  when.tm_sec = 7;
  EXPECT_EQ(screenshotName(when, 0), "snowvel-2026-12-08-090507.png");
  EXPECT_EQ(screenshotName(when, 1), "snowvel-2026-12-08-090507-2.png");
}

}  // namespace
