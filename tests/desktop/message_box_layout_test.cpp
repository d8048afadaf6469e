// Message box buttons as Windows lays them out for the MB_* flags.
#include <gtest/gtest.h>

#include "platform/internal/message_box_layout.h"
#include "platform/win32.h"

namespace {

std::vector<int> answers(const MessageBoxLayout& layout) {
  std::vector<int> out;
  for (const MessageBoxButton& b : layout.buttons) out.push_back(b.answer);
  return out;
}

TEST(MessageBoxLayout, WarningWithOkAndCancel) {
  MessageBoxLayout box = layoutMessageBox(MB_ICONEXCLAMATION | MB_OKCANCEL);
  EXPECT_EQ(answers(box), (std::vector<int>{IDOK, IDCANCEL}));
  EXPECT_EQ(box.icon, MessageBoxIcon::Warning);
  EXPECT_TRUE(box.buttons[0].isDefault);
  EXPECT_TRUE(box.buttons[1].isEscape);
  EXPECT_FALSE(box.buttons[0].isEscape);
  EXPECT_EQ(box.closeAnswer, IDCANCEL);
}

TEST(MessageBoxLayout, OkAloneIsAlsoWhatEscAndClosingMean) {
  MessageBoxLayout box = layoutMessageBox(MB_ICONEXCLAMATION);
  EXPECT_EQ(answers(box), (std::vector<int>{IDOK}));
  EXPECT_TRUE(box.buttons[0].isDefault && box.buttons[0].isEscape);
  EXPECT_EQ(box.closeAnswer, IDOK);
}

TEST(MessageBoxLayout, DefaultButtonAndBoxesWithoutCancel) {
  MessageBoxLayout yesNo = layoutMessageBox(MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION);
  EXPECT_EQ(answers(yesNo), (std::vector<int>{IDYES, IDNO}));
  EXPECT_TRUE(yesNo.buttons[1].isDefault);
  EXPECT_FALSE(yesNo.buttons[0].isEscape || yesNo.buttons[1].isEscape);
  EXPECT_EQ(yesNo.closeAnswer, IDNO);
  EXPECT_EQ(yesNo.icon, MessageBoxIcon::Information);

  MessageBoxLayout three = layoutMessageBox(MB_ABORTRETRYIGNORE | MB_DEFBUTTON3 | MB_ICONHAND);
  EXPECT_EQ(answers(three), (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
  EXPECT_TRUE(three.buttons[2].isDefault);
  EXPECT_EQ(three.icon, MessageBoxIcon::Error);

  // A default button past the last one falls back to the first.
  MessageBoxLayout ok = layoutMessageBox(MB_OK | MB_DEFBUTTON3);
  EXPECT_TRUE(ok.buttons[0].isDefault);
}

}  // namespace
