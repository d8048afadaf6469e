// FindWindowA sees another running copy through the backend, and the calls a
// second start makes on that window reach it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/win32.h"

namespace {

std::vector<std::string> calls;
bool otherCopyRunning = false;
bool otherCopyMinimised = false;

bool findOther(const char* className) {
  calls.push_back(std::string("find ") + className);
  return otherCopyRunning;
}
void raiseOther(const char* className) {
  calls.push_back(std::string("raise ") + className);
}
bool otherMinimised(const char* className) {
  calls.push_back(std::string("iconic ") + className);
  return otherCopyMinimised;
}
void restoreOther(const char* className) {
  calls.push_back(std::string("restore ") + className);
}

class ForeignWindow : public testing::Test {
 protected:
  void SetUp() override {
    installHeadlessBackend();
    withOtherCopy = *currentBackend();
    withOtherCopy.findForeignWindow = findOther;
    withOtherCopy.raiseForeignWindow = raiseOther;
    withOtherCopy.isForeignWindowMinimised = otherMinimised;
    withOtherCopy.restoreForeignWindow = restoreOther;
    setBackend(&withOtherCopy);
    calls.clear();
    otherCopyRunning = true;
    otherCopyMinimised = true;
  }
  Backend withOtherCopy{};
};

// What a second start does (the game's own single-instance check).
bool handOverToTheFirstCopy() {
  HWND other = FindWindowA("SnowvelMain", nullptr);
  if (other == nullptr) return false;
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (IsIconic(other)) OpenIcon(other);
  return true;
}

TEST_F(ForeignWindow, ASecondStartRaisesAndRestoresTheFirst) {
  EXPECT_TRUE(handOverToTheFirstCopy());
  EXPECT_EQ(calls, (std::vector<std::string>{"find SnowvelMain", "raise SnowvelMain",
                                             "iconic SnowvelMain", "restore SnowvelMain"}));
}

TEST_F(ForeignWindow, AFirstCopyThatIsNotMinimisedIsOnlyRaised) {
  otherCopyMinimised = false;
  EXPECT_TRUE(handOverToTheFirstCopy());
  EXPECT_EQ(calls.back(), "iconic SnowvelMain");
  EXPECT_FALSE(IsWindow(FindWindowA("SnowvelMain", nullptr))) << "no window of ours";
}

TEST_F(ForeignWindow, NoOtherCopyAndNoHookMeanNoWindow) {
  otherCopyRunning = false;
  EXPECT_FALSE(handOverToTheFirstCopy());
  installHeadlessBackend();  // the members left null
  EXPECT_EQ(FindWindowA("SnowvelMain", nullptr), nullptr);
  EXPECT_FALSE(IsIconic(reinterpret_cast<HWND>(uintptr_t{0xFFF})));
}

TEST_F(ForeignWindow, OurOwnWindowIsFoundFirst) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "SnowvelMain";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND ours = CreateWindowExA(0, "SnowvelMain", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(ours, nullptr);
  EXPECT_EQ(FindWindowA("SnowvelMain", nullptr), ours);
  EXPECT_TRUE(calls.empty());
  DestroyWindow(ours);
  UnregisterClassA("SnowvelMain", nullptr);
}

}  // namespace
