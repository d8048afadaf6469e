// Where PrintScreen's pictures go.
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

}  // namespace
