// The buttons and icon of a message box, from its MB_* flags, in the order
// Windows shows them.
#pragma once

#include <vector>

#include "platform/win32/types.h"

enum class MessageBoxIcon { None, Error, Warning, Information };

struct MessageBoxButton {
  int answer;  // IDOK, IDCANCEL, ...
  const char* label;
  bool isDefault;  // Enter picks it
  bool isEscape;   // Esc picks it
};

struct MessageBoxLayout {
  std::vector<MessageBoxButton> buttons;
  MessageBoxIcon icon = MessageBoxIcon::None;
  int closeAnswer = 0;  // what closing the box without a button means
};

MessageBoxLayout layoutMessageBox(UINT type);
