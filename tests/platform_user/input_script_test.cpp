// The driver's input script: what each line schedules and how bad lines are
// reported.
#include "user_test_support.h"

namespace {

std::string parseError(std::string_view script) {
  std::vector<InputScriptEntry> entries;
  std::string error;
  EXPECT_FALSE(parseInputScript(script, &entries, &error)) << script;
  return error;
}

TEST(InputScript, ParsesEveryKindOfLine) {
  const char* script =
      "# a comment\n"
      "\n"
      "0 key F2\n"
      "3 key numpad4\n"
      "3 char f\n"
      "5 mouse 100 -20\n"
      "6 click\n"
      "7 resize 640 480\n"
      "8 deactivate\n"
      "8 activate\n"
      "9 minimise\n"
      "10 restore\n"
      "11 answer cancel\n"
      "12   key   Enter   \n";
  std::vector<InputScriptEntry> entries;
  std::string error;
  ASSERT_TRUE(parseInputScript(script, &entries, &error)) << error;
  ASSERT_EQ(entries.size(), 12u);
  EXPECT_EQ(entries[0].line, 3);
  ASSERT_EQ(entries[0].events.size(), 2u);
  EXPECT_EQ(entries[0].events[0].type, BackendEventType::KeyDown);
  EXPECT_EQ(entries[0].events[0].virtualKey, static_cast<UINT>(VK_F2));
  EXPECT_EQ(entries[0].events[1].type, BackendEventType::KeyUp);
  EXPECT_EQ(entries[1].events[0].virtualKey, static_cast<UINT>(VK_NUMPAD4));
  EXPECT_EQ(entries[2].events[0].type, BackendEventType::Char);
  EXPECT_EQ(entries[2].events[0].character, 'f');
  EXPECT_EQ(entries[3].events[0].y, -20);
  ASSERT_EQ(entries[4].events.size(), 2u);
  EXPECT_EQ(entries[4].events[0].type, BackendEventType::MouseDown);
  EXPECT_EQ(entries[4].events[0].x, 100) << "a click lands where the mouse last went";
  EXPECT_EQ(entries[5].events[0].width, 640);
  EXPECT_EQ(entries[6].events[0].type, BackendEventType::Deactivate);
  EXPECT_EQ(entries[8].events[0].type, BackendEventType::Minimise);
  EXPECT_EQ(entries[10].answer, IDCANCEL);
  EXPECT_TRUE(entries[10].events.empty());
  EXPECT_EQ(entries[11].events[0].virtualKey, static_cast<UINT>(VK_RETURN));
  EXPECT_EQ(entries[11].period, 12u);
}

TEST(InputScript, KnowsTheWindowsKeyNames) {
  UINT vk = 0;
  struct Named {
    const char* name;
    UINT vk;
  };
  for (Named n :
       {Named{"LEFT", VK_LEFT}, Named{"insert", VK_INSERT}, Named{"ESCAPE", VK_ESCAPE},
        Named{"SPACE", VK_SPACE}, Named{"F24", VK_F24}, Named{"x", 'X'}, Named{"7", '7'},
        Named{"VK_NEXT", VK_NEXT}, Named{"CLEAR", VK_CLEAR}, Named{"decimal", VK_DECIMAL}}) {
    ASSERT_TRUE(virtualKeyFromName(n.name, &vk)) << n.name;
    EXPECT_EQ(vk, n.vk) << n.name;
  }
  EXPECT_FALSE(virtualKeyFromName("F25", &vk));
  EXPECT_FALSE(virtualKeyFromName("NUMPAD10", &vk));
  EXPECT_FALSE(virtualKeyFromName("", &vk));
}

TEST(InputScript, BadLinesNameTheirLineAndWhatIsWrong) {
  EXPECT_EQ(parseError("0 key F2\n1 jump\n"), "line 2: unknown event 'jump'");
  EXPECT_EQ(parseError("0 key BANANA"), "line 1: unknown key name 'BANANA'");
  EXPECT_EQ(parseError("0 key"), "line 1: 'key' takes 1 argument, got 0");
  EXPECT_EQ(parseError("0 click 3"), "line 1: 'click' takes 0 arguments, got 1");
  EXPECT_EQ(parseError("# c\n\nx key F2"), "line 3: 'x' is not a period number (0 to 100000000)");
  EXPECT_EQ(parseError("-1 key F2"), "line 1: '-1' is not a period number (0 to 100000000)");
  EXPECT_EQ(parseError("5 key F2\n4 key F3"), "line 2: period 4 comes after period 5");
  EXPECT_EQ(parseError("5"), "line 1: an event must follow the period");
  EXPECT_EQ(parseError("1 char ab"), "line 1: 'char' takes a single character");
  EXPECT_EQ(parseError("1 mouse 1 y"),
            "line 1: a position must be two whole numbers from -32768 to 32767");
  EXPECT_EQ(parseError("1 resize 0 10"),
            "line 1: a size must be two whole numbers from 1 to 32767");
  EXPECT_EQ(parseError("1 answer MAYBE"), "line 1: unknown answer 'MAYBE'");
  EXPECT_EQ(parseError("99999999999999999999 key F2"),
            "line 1: '99999999999999999999' is not a period number (0 to 100000000)");
}

class ScriptedRun : public UserTest {
 protected:
  HeadlessConfig config() const override {
    HeadlessConfig c;
    c.startTick = 10000;
    return c;
  }
};

TEST_F(ScriptedRun, EventsArriveAtTheirPeriodsAndAnswersReachTheBoxes) {
  HWND hwnd = createShownWindow();
  std::vector<InputScriptEntry> entries;
  std::string error;
  ASSERT_TRUE(parseInputScript("2 key LEFT\n5 mouse 7 8\n5 answer CANCEL\n", &entries, &error));
  scheduleInputScript(entries);
  std::vector<std::pair<UINT, DWORD>> seen;
  handler = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_MOUSEMOVE)
      seen.emplace_back(message, GetTickCount());
    return std::nullopt;
  };
  MSG msg;
  while (seen.size() < 3 && GetMessageA(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(seen, (std::vector<std::pair<UINT, DWORD>>{
                      {WM_KEYDOWN, 10080}, {WM_KEYUP, 10080}, {WM_MOUSEMOVE, 10200}}));
  EXPECT_EQ(MessageBoxA(hwnd, "t", "c", MB_OKCANCEL), IDCANCEL);
}

}  // namespace
