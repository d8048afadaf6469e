// Key state and TranslateMessage. Character keys make WM_CHAR: letters (upper
// case with Shift or CapsLock), digits and punctuation of a US layout, Space,
// Tab, Enter, Backspace, Esc and the keypad digits and operators. Arrows,
// Home/End, VK_CLEAR and function keys make none.
#include <array>

#include "platform/user/user_state.h"

namespace {

std::array<bool, 256> down{};
bool capsLock = false;
bool numLock = true;

struct OemKey {
  UINT vk;
  char plain;
  char shifted;
};
constexpr OemKey kOemKeys[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
};

bool shiftHeld() {
  return down[VK_SHIFT] || down[VK_LSHIFT] || down[VK_RSHIFT];
}
bool controlHeld() {
  return down[VK_CONTROL] || down[VK_LCONTROL] || down[VK_RCONTROL];
}

// The character a key makes with these modifiers, or 0.
unsigned char characterFor(UINT vk, bool shift, bool control, bool caps) {
  if (vk >= 'A' && vk <= 'Z') {
    if (control) return static_cast<unsigned char>(vk - 'A' + 1);
    bool upper = shift != caps;
    return static_cast<unsigned char>(upper ? vk : vk + ('a' - 'A'));
  }
  if (control) return 0;
  if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : vk;
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
    return static_cast<unsigned char>('0' + vk - VK_NUMPAD0);
  for (const OemKey& key : kOemKeys)
    if (key.vk == vk) return shift ? key.shifted : key.plain;
  switch (vk) {
    case VK_DECIMAL:
      return '.';
    case VK_MULTIPLY:
      return '*';
    case VK_ADD:
      return '+';
    case VK_SUBTRACT:
      return '-';
    case VK_DIVIDE:
      return '/';
    case VK_SPACE:
      return ' ';
    case VK_TAB:
      return '\t';
    case VK_RETURN:
      return '\r';
    case VK_BACK:
      return '\b';
    case VK_ESCAPE:
      return 0x1B;
    default:
      return 0;
  }
}

}  // namespace

bool keyMakesCharacter(UINT virtualKey) {
  return characterFor(virtualKey, false, false, false) != 0;
}

void noteKeyDown(UINT virtualKey, bool repeat) {
  if (virtualKey > 255) return;
  if (!repeat && virtualKey == VK_CAPITAL) capsLock = !capsLock;
  if (!repeat && virtualKey == VK_NUMLOCK) numLock = !numLock;
  down[virtualKey] = true;
}

void noteKeyUp(UINT virtualKey) {
  if (virtualKey <= 255) down[virtualKey] = false;
}

void resetKeyboardState() {
  down.fill(false);
  capsLock = false;
  numLock = true;
}

SHORT WINAPI GetKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  bool held = down[virtualKey];
  if (virtualKey == VK_SHIFT) held = shiftHeld();
  if (virtualKey == VK_CONTROL) held = controlHeld();
  bool toggled = (virtualKey == VK_CAPITAL && capsLock) || (virtualKey == VK_NUMLOCK && numLock);
  return static_cast<SHORT>((held ? 0x8000 : 0) | (toggled ? 1 : 0));
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
  if (msg == nullptr) return FALSE;
  switch (msg->message) {
    case WM_KEYDOWN: {
      unsigned char ch =
          characterFor(static_cast<UINT>(msg->wParam), shiftHeld(), controlHeld(), capsLock);
      if (ch != 0) PostMessageA(msg->hwnd, WM_CHAR, ch, msg->lParam);
      return TRUE;
    }
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      return TRUE;
    default:
      return FALSE;
  }
}
