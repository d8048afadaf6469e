#include "platform/internal/message_box_layout.h"

#include "platform/win32/user.h"

MessageBoxLayout layoutMessageBox(UINT type) {
  MessageBoxLayout layout;
  auto add = [&](int answer, const char* label) {
    layout.buttons.push_back(MessageBoxButton{answer, label, false, false});
  };
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      add(IDOK, "OK");
      add(IDCANCEL, "Cancel");
      break;
    case MB_ABORTRETRYIGNORE:
      add(IDABORT, "Abort");
      add(IDRETRY, "Retry");
      add(IDIGNORE, "Ignore");
      break;
    case MB_YESNOCANCEL:
      add(IDYES, "Yes");
      add(IDNO, "No");
      add(IDCANCEL, "Cancel");
      break;
    case MB_YESNO:
      add(IDYES, "Yes");
      add(IDNO, "No");
      break;
    case MB_RETRYCANCEL:
      add(IDRETRY, "Retry");
      add(IDCANCEL, "Cancel");
      break;
    default:
      add(IDOK, "OK");
      break;
  }

  size_t defaultIndex = (type & MB_DEFBUTTON3) ? 2 : (type & MB_DEFBUTTON2) ? 1 : 0;
  if (defaultIndex >= layout.buttons.size()) defaultIndex = 0;
  layout.buttons[defaultIndex].isDefault = true;

  // Esc and the close box mean Cancel where there is one, OK on a box with
  // OK alone; a Yes/No or Abort/Retry/Ignore box can only be answered.
  for (MessageBoxButton& button : layout.buttons)
    if (button.answer == IDCANCEL) {
      button.isEscape = true;
      layout.closeAnswer = IDCANCEL;
    }
  if (layout.closeAnswer == 0 && layout.buttons.size() == 1) {
    layout.buttons[0].isEscape = true;
    layout.closeAnswer = layout.buttons[0].answer;
  }
  if (layout.closeAnswer == 0) layout.closeAnswer = layout.buttons[defaultIndex].answer;

  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      layout.icon = MessageBoxIcon::Error;
      break;
    case MB_ICONEXCLAMATION:
      layout.icon = MessageBoxIcon::Warning;
      break;
    case MB_ICONQUESTION:
    case MB_ICONASTERISK:
      layout.icon = MessageBoxIcon::Information;
      break;
    default:
      break;
  }
  return layout;
}
