// Message boxes as modal dialogs in the page, with the buttons Windows would
// show; the answer comes back as an event.
#include <string>

#include "platform/internal/message_box_layout.h"
#include "platform/web/web_bridge.h"
#include "platform/web/web_bridge_values.h"
#include "platform/web/web_state.h"

int webBeginMessageBox(const char* text, const char* caption, UINT type) {
  static int nextBoxId = 0;
  const int box = ++nextBoxId;
  MessageBoxLayout layout = layoutMessageBox(type);
  // One line per button: answer, label, whether Enter picks it.
  using namespace web_bridge;
  std::string buttons;
  int escapeAnswer = 0;
  for (const MessageBoxButton& button : layout.buttons) {
    buttons += std::to_string(button.answer) + kBoxFieldSeparator + button.label +
               kBoxFieldSeparator + (button.isDefault ? kBoxDefaultButton : "0") + kBoxLineEnd;
    if (button.isEscape) escapeAnswer = button.answer;
  }
  snowvel_web_message_box(box, text != nullptr ? text : "", caption != nullptr ? caption : "",
                          buttons.c_str(), escapeAnswer);
  return box;
}
