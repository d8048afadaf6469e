// The bindings over the input table, the headless keys it names, and the
// settings file: hostile text costs only the entries at fault.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/headless/headless.h"
#include "platform/settings/player_settings.h"
#include "platform/settings/window_placement.h"
#include "platform/win32.h"

namespace {

uint16_t usage(const char* code) {
  return physicalKeyByCode(code)->usage;
}

int action(const char* name) {
  return actionByName(name);
}

TEST(Bindings, ABoundKeySendsItsActionsMessageAndAMovedGameKeyNothing) {
  KeyBindings b;
  std::string error;
  // The defaults send what the keys send unbound, the keypad both ways.
  EXPECT_EQ(b.messageFor(usage("ArrowLeft"), false, VK_LEFT), UINT(VK_LEFT));
  EXPECT_EQ(b.messageFor(usage("Numpad4"), true, VK_NUMPAD4), UINT(VK_NUMPAD4));
  EXPECT_EQ(b.messageFor(usage("Numpad4"), false, VK_LEFT), UINT(VK_LEFT));
  EXPECT_EQ(b.messageFor(usage("PrintScreen"), false, VK_SNAPSHOT), 0u);
  EXPECT_EQ(b.actionForKey(usage("F12")), action("screenshot"));

  ASSERT_TRUE(b.bind(action("left"), "KeyA, Numpad5", &error)) << error;
  EXPECT_EQ(b.messageFor(usage("KeyA"), false, 'A'), UINT(VK_LEFT));
  EXPECT_EQ(b.messageFor(usage("Numpad5"), true, VK_NUMPAD5), UINT(VK_NUMPAD4));
  EXPECT_EQ(b.messageFor(usage("ArrowLeft"), false, VK_LEFT), 0u) << "left now lives on A";
  EXPECT_EQ(b.messageFor(usage("KeyX"), false, 'X'), UINT('X')) << "typing is untouched";

  // A key bound twice moves; an action left with none gets its defaults.
  ASSERT_TRUE(b.bind(action("jump"), "Space Insert", &error));
  ASSERT_TRUE(b.bind(action("new-game"), "Space Insert Numpad0", &error));
  EXPECT_EQ(b.keys(action("jump")), std::vector<uint16_t>{usage("Insert")})
      << "jump took its first default back from new-game";
  EXPECT_EQ(b.keys(action("new-game")), (std::vector<uint16_t>{usage("Space"), usage("Numpad0")}));
  EXPECT_EQ(b.messageFor(usage("F2"), false, VK_F2), 0u) << "F2 is new-game's no more";

  EXPECT_FALSE(b.bind(action("left"), "KeyA Banana", &error));
  EXPECT_EQ(error, "unknown key 'Banana'");
  EXPECT_FALSE(b.bind(action("left"), "pad:z", &error));
  b.reset();
  EXPECT_EQ(b, KeyBindings());
}

TEST(Bindings, PadInputsSendTheirActionsInTheTablesOrder) {
  KeyBindings b;
  EXPECT_EQ(b.padMessages(padInputByName("a")), (std::vector<UINT>{VK_INSERT, VK_RETURN}));
  EXPECT_EQ(b.padMessages(padInputByName("start")), (std::vector<UINT>{VK_F3, VK_RETURN}));
  EXPECT_EQ(b.padMessages(padInputByName("down-left")), std::vector<UINT>{VK_END});
  std::string error;
  ASSERT_TRUE(b.bind(action("jump"), "pad:b", &error));
  EXPECT_EQ(b.padMessages(padInputByName("a")), std::vector<UINT>{VK_RETURN});
  EXPECT_EQ(b.padMessages(padInputByName("b")), std::vector<UINT>{VK_INSERT});
  EXPECT_EQ(b.keys(action("jump")).size(), 2u) << "a pad binding leaves the keys alone";
}

TEST(Bindings, ScriptKeysAreTheTablesKeysByPlace) {
  std::vector<InputScriptEntry> entries;
  std::string error;
  ASSERT_TRUE(parseInputScript("0 key LEFT\n1 key numpad4\n2 key CLEAR\n3 key KeyA\n4 key F12\n",
                               &entries, &error))
      << error;
  struct Expected {
    const char* code;
    bool numLock;
    UINT message;
  };
  const Expected expected[] = {{"ArrowLeft", false, VK_LEFT},
                               {"Numpad4", true, VK_NUMPAD4},
                               {"Numpad5", false, VK_CLEAR},
                               {"KeyA", true, 'A'},
                               {"F12", false, VK_F12}};
  for (size_t i = 0; i < std::size(expected); ++i) {
    const BackendEvent& down = entries[i].events[0];
    EXPECT_EQ(down.physicalKey, usage(expected[i].code)) << i;
    EXPECT_EQ(down.numLock, expected[i].numLock) << i;
    EXPECT_EQ(down.virtualKey, expected[i].message) << i;
  }
}

TEST(SettingsFile, HostileTextCostsOnlyTheEntriesAtFault) {
  const std::string text =
      "[bindings]\n"
      "left = KeyA\n"
      "right = KeyD Banana\n"
      "sideways = KeyS\n"
      "jump " +
      std::string(5000, 'x') +
      "\n"
      "no equals sign here\n"
      "[display]\n"
      "window = 10 20 abc 40\n"
      "scale = 3\n"
      "fullscreen = maybe\n"
      "[colours]\n"
      "snow = blue\n"
      "\x01\xff garbage \x80\n"
      "[bindings]\n"
      "pause = KeyP\n";
  std::vector<std::string> warnings;
  const PlayerSettings settings = parseSettings(text, &warnings);
  const KeyBindings& b = settings.bindings;
  EXPECT_EQ(b.keys(action("left")), std::vector<uint16_t>{usage("KeyA")});
  EXPECT_EQ(b.keys(action("right")), KeyBindings().keys(action("right")));
  EXPECT_EQ(b.keys(action("pause")), std::vector<uint16_t>{usage("KeyP")});
  EXPECT_EQ(b.keys(action("jump")), KeyBindings().keys(action("jump")));
  EXPECT_EQ(settings.display.scale, 3);
  EXPECT_FALSE(settings.display.window);
  EXPECT_FALSE(settings.display.fullscreen);
  ASSERT_EQ(warnings.size(), 8u);
  EXPECT_EQ(warnings[0], "line 3: unknown key 'Banana' for right; it keeps its default keys");
  EXPECT_EQ(warnings[1], "line 4: unknown action 'sideways'; ignored");
  EXPECT_EQ(warnings[2], "line 5: longer than 1024 characters; ignored");
}

TEST(SettingsFile, DisplayAndBindingsRoundTripThroughTheFile) {
  char pattern[] = "/tmp/snowvel-settings-XXXXXX";
  const std::string dir = mkdtemp(pattern);
  const std::string path = dir + "/deeper/settings.ini";
  PlayerSettings settings;
  std::string error;
  ASSERT_TRUE(settings.bindings.bind(action("across-left"), "KeyQ pad:x", &error));
  // The button that jumps moved to pause: jump keeps no pad input after a restart.
  ASSERT_TRUE(settings.bindings.bind(action("pause"), "pad:a", &error));
  ASSERT_TRUE(settings.bindings.pad(action("jump")).empty());
  settings.display = DisplaySettings{WindowPlace{-1800, 40, 512, 380}, 2, true};
  ASSERT_TRUE(saveSettings(path, settings, &error)) << error;
  std::vector<std::string> warnings;
  EXPECT_EQ(loadSettings(path, &warnings), settings);
  EXPECT_TRUE(warnings.empty());

  // A folder in the file's place: one line, and the defaults.
  std::filesystem::create_directories(dir + "/folder.ini");
  EXPECT_EQ(loadSettings(dir + "/folder.ini", &warnings), PlayerSettings());
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("cannot be read"), std::string::npos) << warnings[0];
  EXPECT_FALSE(saveSettings(dir + "/folder.ini", settings, &error));
  // A huge file: its first part still counts.
  {
    std::ofstream big(dir + "/big.ini");
    big << "[bindings]\nleft = KeyJ\n" << std::string(kSettingsReadLimit, '#') << "\n";
  }
  warnings.clear();
  EXPECT_EQ(loadSettings(dir + "/big.ini", &warnings).bindings.keys(action("left")),
            std::vector<uint16_t>{usage("KeyJ")});
  EXPECT_EQ(warnings.size(), 1u);
  std::filesystem::remove_all(dir);
}

TEST(WindowPlacement, APlaceOnNoDisplayFallsBackToTheMiddleOfTheFirst) {
  const std::vector<DisplayBounds> displays{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  const WindowPlace onSecond{2000, 100, 500, 300};
  const DisplayBounds kept = placeWindow(onSecond, 2, displays);
  EXPECT_EQ(kept.x, 2000);
  EXPECT_EQ(kept.width, 1000);
  // The second display unplugged, or a place above every screen's top.
  for (const WindowPlace& lost : {onSecond, WindowPlace{100, -400, 500, 300}}) {
    const DisplayBounds centred = placeWindow(lost, 2, {displays[0]});
    EXPECT_EQ(centred.x, (1920 - 1000) / 2);
    EXPECT_EQ(centred.y, (1080 - 600) / 2);
  }
  // Only a sliver showing is no place to grab a window by.
  EXPECT_EQ(placeWindow(WindowPlace{1900, 10, 500, 300}, 1, {displays[0]}).x, (1920 - 500) / 2);
}

}  // namespace
