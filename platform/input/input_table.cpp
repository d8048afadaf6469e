#include "platform/input/input_table.h"

#include <algorithm>
#include <string>

#include "platform/win32/user.h"

namespace {

// Codes and usages from the UI Events KeyboardEvent.code and the USB HID
// usage tables; messages as Windows sends them on a US keyboard.
constexpr PhysicalKey kKeys[] = {
    {"KeyA", "A", 4, 'A', 0, 'a', "A", ""},
    {"KeyB", "B", 5, 'B', 0, 'b', "B", ""},
    {"KeyC", "C", 6, 'C', 0, 'c', "C", ""},
    {"KeyD", "D", 7, 'D', 0, 'd', "D", ""},
    {"KeyE", "E", 8, 'E', 0, 'e', "E", ""},
    {"KeyF", "F", 9, 'F', 0, 'f', "F", ""},
    {"KeyG", "G", 10, 'G', 0, 'g', "G", ""},
    {"KeyH", "H", 11, 'H', 0, 'h', "H", ""},
    {"KeyI", "I", 12, 'I', 0, 'i', "I", ""},
    {"KeyJ", "J", 13, 'J', 0, 'j', "J", ""},
    {"KeyK", "K", 14, 'K', 0, 'k', "K", ""},
    {"KeyL", "L", 15, 'L', 0, 'l', "L", ""},
    {"KeyM", "M", 16, 'M', 0, 'm', "M", ""},
    {"KeyN", "N", 17, 'N', 0, 'n', "N", ""},
    {"KeyO", "O", 18, 'O', 0, 'o', "O", ""},
    {"KeyP", "P", 19, 'P', 0, 'p', "P", ""},
    {"KeyQ", "Q", 20, 'Q', 0, 'q', "Q", ""},
    {"KeyR", "R", 21, 'R', 0, 'r', "R", ""},
    {"KeyS", "S", 22, 'S', 0, 's', "S", ""},
    {"KeyT", "T", 23, 'T', 0, 't', "T", ""},
    {"KeyU", "U", 24, 'U', 0, 'u', "U", ""},
    {"KeyV", "V", 25, 'V', 0, 'v', "V", ""},
    {"KeyW", "W", 26, 'W', 0, 'w', "W", ""},
    {"KeyX", "X", 27, 'X', 0, 'x', "X", ""},
    {"KeyY", "Y", 28, 'Y', 0, 'y', "Y", ""},
    {"KeyZ", "Z", 29, 'Z', 0, 'z', "Z", ""},
    {"Digit1", "1", 30, '1', 0, '1', "1", ""},
    {"Digit2", "2", 31, '2', 0, '2', "2", ""},
    {"Digit3", "3", 32, '3', 0, '3', "3", ""},
    {"Digit4", "4", 33, '4', 0, '4', "4", ""},
    {"Digit5", "5", 34, '5', 0, '5', "5", ""},
    {"Digit6", "6", 35, '6', 0, '6', "6", ""},
    {"Digit7", "7", 36, '7', 0, '7', "7", ""},
    {"Digit8", "8", 37, '8', 0, '8', "8", ""},
    {"Digit9", "9", 38, '9', 0, '9', "9", ""},
    {"Digit0", "0", 39, '0', 0, '0', "0", ""},
    {"Enter", "Enter", 40, VK_RETURN, 0, 0, "RETURN ENTER", ""},
    {"Escape", "Escape", 41, VK_ESCAPE, 0, 0, "ESCAPE ESC", ""},
    {"Backspace", "Backspace", 42, VK_BACK, 0, 0, "BACK BACKSPACE", ""},
    {"Tab", "Tab", 43, VK_TAB, 0, 0, "TAB", ""},
    {"Space", "Space", 44, VK_SPACE, 0, 0, "SPACE", ""},
    {"Minus", "Minus", 45, VK_OEM_MINUS, 0, '-', "OEM_MINUS", ""},
    {"Equal", "Equals", 46, VK_OEM_PLUS, 0, '=', "OEM_PLUS", ""},
    {"BracketLeft", "Left Bracket", 47, VK_OEM_4, 0, '[', "OEM_4", ""},
    {"BracketRight", "Right Bracket", 48, VK_OEM_6, 0, ']', "OEM_6", ""},
    {"Backslash", "Backslash", 49, VK_OEM_5, 0, '\\', "OEM_5", ""},
    {"Semicolon", "Semicolon", 51, VK_OEM_1, 0, ';', "OEM_1", ""},
    {"Quote", "Quote", 52, VK_OEM_7, 0, '\'', "OEM_7", ""},
    {"Backquote", "Backquote", 53, VK_OEM_3, 0, '`', "OEM_3", ""},
    {"Comma", "Comma", 54, VK_OEM_COMMA, 0, ',', "OEM_COMMA", ""},
    {"Period", "Period", 55, VK_OEM_PERIOD, 0, '.', "OEM_PERIOD", ""},
    {"Slash", "Slash", 56, VK_OEM_2, 0, '/', "OEM_2", ""},
    {"CapsLock", "Caps Lock", 57, VK_CAPITAL, 0, 0, "CAPITAL CAPSLOCK", ""},
    {"F1", "F1", 58, VK_F1, 0, 0, "F1", ""},
    {"F2", "F2", 59, VK_F2, 0, 0, "F2", ""},
    {"F3", "F3", 60, VK_F3, 0, 0, "F3", ""},
    {"F4", "F4", 61, VK_F4, 0, 0, "F4", ""},
    {"F5", "F5", 62, VK_F5, 0, 0, "F5", ""},
    {"F6", "F6", 63, VK_F6, 0, 0, "F6", ""},
    {"F7", "F7", 64, VK_F7, 0, 0, "F7", ""},
    {"F8", "F8", 65, VK_F8, 0, 0, "F8", ""},
    {"F9", "F9", 66, VK_F9, 0, 0, "F9", ""},
    {"F10", "F10", 67, VK_F10, 0, 0, "F10", ""},
    {"F11", "F11", 68, VK_F11, 0, 0, "F11", ""},
    {"F12", "F12", 69, VK_F12, 0, 0, "F12", ""},
    {"PrintScreen", "Print Screen", 70, VK_SNAPSHOT, 0, 0, "SNAPSHOT PRINTSCREEN", ""},
    {"ScrollLock", "Scroll Lock", 71, VK_SCROLL, 0, 0, "SCROLL", ""},
    {"Pause", "Pause", 72, VK_PAUSE, 0, 0, "PAUSE", ""},
    {"Insert", "Insert", 73, VK_INSERT, 0, 0, "INSERT", ""},
    {"Home", "Home", 74, VK_HOME, 0, 0, "HOME", ""},
    {"PageUp", "Page Up", 75, VK_PRIOR, 0, 0, "PRIOR PAGEUP", ""},
    {"Delete", "Delete", 76, VK_DELETE, 0, 0, "DELETE", ""},
    {"End", "End", 77, VK_END, 0, 0, "END", ""},
    {"PageDown", "Page Down", 78, VK_NEXT, 0, 0, "NEXT PAGEDOWN", ""},
    {"ArrowRight", "Right", 79, VK_RIGHT, 0, 0, "RIGHT", ""},
    {"ArrowLeft", "Left", 80, VK_LEFT, 0, 0, "LEFT", ""},
    {"ArrowDown", "Down", 81, VK_DOWN, 0, 0, "DOWN", ""},
    {"ArrowUp", "Up", 82, VK_UP, 0, 0, "UP", ""},
    {"NumLock", "Num Lock", 83, VK_NUMLOCK, 0, 0, "NUMLOCK", ""},
    {"NumpadDivide", "Keypad /", 84, VK_DIVIDE, VK_DIVIDE, 0, "DIVIDE", ""},
    {"NumpadMultiply", "Keypad *", 85, VK_MULTIPLY, VK_MULTIPLY, 0, "MULTIPLY", ""},
    {"NumpadSubtract", "Keypad -", 86, VK_SUBTRACT, VK_SUBTRACT, 0, "SUBTRACT", ""},
    {"NumpadAdd", "Keypad +", 87, VK_ADD, VK_ADD, 0, "ADD", ""},
    {"NumpadEnter", "Keypad Enter", 88, VK_RETURN, VK_RETURN, 0, "", ""},
    {"Numpad1", "Keypad 1", 89, VK_END, VK_NUMPAD1, 0, "", "NUMPAD1"},
    {"Numpad2", "Keypad 2", 90, VK_DOWN, VK_NUMPAD2, 0, "", "NUMPAD2"},
    {"Numpad3", "Keypad 3", 91, VK_NEXT, VK_NUMPAD3, 0, "", "NUMPAD3"},
    {"Numpad4", "Keypad 4", 92, VK_LEFT, VK_NUMPAD4, 0, "", "NUMPAD4"},
    {"Numpad5", "Keypad 5", 93, VK_CLEAR, VK_NUMPAD5, 0, "CLEAR", "NUMPAD5"},
    {"Numpad6", "Keypad 6", 94, VK_RIGHT, VK_NUMPAD6, 0, "", "NUMPAD6"},
    {"Numpad7", "Keypad 7", 95, VK_HOME, VK_NUMPAD7, 0, "", "NUMPAD7"},
    {"Numpad8", "Keypad 8", 96, VK_UP, VK_NUMPAD8, 0, "", "NUMPAD8"},
    {"Numpad9", "Keypad 9", 97, VK_PRIOR, VK_NUMPAD9, 0, "", "NUMPAD9"},
    {"Numpad0", "Keypad 0", 98, VK_INSERT, VK_NUMPAD0, 0, "", "NUMPAD0"},
    {"NumpadDecimal", "Keypad .", 99, VK_DELETE, VK_DECIMAL, 0, "", "DECIMAL"},
    {"ContextMenu", "Context Menu", 101, VK_APPS, 0, 0, "APPS", ""},
    {"F13", "F13", 104, VK_F13, 0, 0, "F13", ""},
    {"F14", "F14", 105, VK_F14, 0, 0, "F14", ""},
    {"F15", "F15", 106, VK_F15, 0, 0, "F15", ""},
    {"F16", "F16", 107, VK_F16, 0, 0, "F16", ""},
    {"F17", "F17", 108, VK_F17, 0, 0, "F17", ""},
    {"F18", "F18", 109, VK_F18, 0, 0, "F18", ""},
    {"F19", "F19", 110, VK_F19, 0, 0, "F19", ""},
    {"F20", "F20", 111, VK_F20, 0, 0, "F20", ""},
    {"F21", "F21", 112, VK_F21, 0, 0, "F21", ""},
    {"F22", "F22", 113, VK_F22, 0, 0, "F22", ""},
    {"F23", "F23", 114, VK_F23, 0, 0, "F23", ""},
    {"F24", "F24", 115, VK_F24, 0, 0, "F24", ""},
    {"ControlLeft", "Left Ctrl", 224, VK_CONTROL, 0, 0, "CONTROL CTRL", ""},
    {"ShiftLeft", "Left Shift", 225, VK_SHIFT, 0, 0, "SHIFT", ""},
    {"AltLeft", "Left Alt", 226, VK_MENU, 0, 0, "MENU ALT", ""},
    {"MetaLeft", "Left Meta", 227, VK_LWIN, 0, 0, "LWIN", ""},
    {"ControlRight", "Right Ctrl", 228, VK_CONTROL, 0, 0, "", ""},
    {"ShiftRight", "Right Shift", 229, VK_SHIFT, 0, 0, "", ""},
    {"AltRight", "Right Alt", 230, VK_MENU, 0, 0, "", ""},
    {"MetaRight", "Right Meta", 231, VK_RWIN, 0, 0, "RWIN", ""},
};

// The keypad's rows give both messages: with NumLock off it doubles as a
// cursor block (5 becomes VK_CLEAR), and the game reads both.
constexpr InputAction kActions[] = {
    {"left", "Turn left", VK_LEFT, VK_NUMPAD4, "ArrowLeft Numpad4", "left", nullptr},
    {"right", "Turn right", VK_RIGHT, VK_NUMPAD6, "ArrowRight Numpad6", "right", nullptr},
    {"up", "Hop, or the next trick in the air", VK_UP, VK_NUMPAD8, "ArrowUp Numpad8", "up",
     nullptr},
    {"down", "Straight downhill, or a trick in the air", VK_DOWN, VK_NUMPAD2, "ArrowDown Numpad2",
     "down", nullptr},
    {"across-left", "Stand across the slope, facing left", VK_HOME, VK_NUMPAD7, "Home Numpad7",
     "up-left", nullptr},
    {"slight-left", "A slight turn left", VK_END, VK_NUMPAD1, "End Numpad1", "down-left", nullptr},
    {"across-right", "Stand across the slope, facing right", VK_PRIOR, VK_NUMPAD9, "PageUp Numpad9",
     "up-right", nullptr},
    {"slight-right", "A slight turn right", VK_NEXT, VK_NUMPAD3, "PageDown Numpad3", "down-right",
     nullptr},
    {"jump", "Jump", VK_INSERT, VK_NUMPAD0, "Insert Numpad0", "a", "jump"},
    {"new-game", "New game", VK_F2, 0, "F2", "back", "newgame"},
    {"pause", "Pause or go on", VK_F3, 0, "F3", "start", "pause"},
    {"minimise", "Minimise", VK_ESCAPE, 0, "Escape", "", nullptr},
    // After jump and pause: a button that also starts a new game once the
    // skier is gone sends Enter last (with a skier it does nothing, and it
    // ends a pause the first key may just have begun).
    {"enter", "New game once the skier is gone", VK_RETURN, 0, "Enter NumpadEnter", "a start",
     nullptr},
    {"screenshot", "Save a screenshot", 0, 0, "PrintScreen F12", "", nullptr},
    {"fullscreen", "Fullscreen on or off (also Alt+Enter)", 0, 0, "F11", "", nullptr},
    {"ghost", "Ghost skier on or off", 0, 0, "KeyG", "", nullptr},
};

// The viewer's keys with NumLock off include the keypad's cursor block.
constexpr InputAction kViewerActions[] = {
    {"watch-pause", "Watching: pause, go on, or again", 0, 0, "Space", "", nullptr},
    {"watch-slower", "Watching: half the speed (to 1/4x)", 0, 0, "Minus NumpadSubtract", "",
     nullptr},
    {"watch-faster", "Watching: twice the speed (to 8x)", 0, 0, "Equal NumpadAdd", "", nullptr},
    {"watch-back", "Watching: back 5 seconds", 0, 0, "ArrowLeft Numpad4", "", nullptr},
    {"watch-ahead", "Watching: ahead 5 seconds", 0, 0, "ArrowRight Numpad6", "", nullptr},
    {"watch-start", "Watching: to the run's start", 0, 0, "Home Numpad7", "", nullptr},
    {"watch-result", "Watching: to the result", 0, 0, "End Numpad1", "", nullptr},
};
static_assert(std::size(kViewerActions) == VIEWER_ACTION_COUNT);

bool listHas(std::string_view list, std::string_view word) {
  size_t at = 0;
  while (at < list.size()) {
    size_t end = list.find(' ', at);
    if (end == std::string_view::npos) end = list.size();
    if (sameName(list.substr(at, end - at), word)) return true;
    at = end + 1;
  }
  return false;
}

}  // namespace

std::span<const PhysicalKey> physicalKeys() {
  return kKeys;
}

const PhysicalKey* physicalKeyByCode(std::string_view code) {
  for (const PhysicalKey& key : kKeys)
    if (sameName(key.code, code)) return &key;
  return nullptr;
}

const PhysicalKey* physicalKeyByUsage(uint16_t usage) {
  for (const PhysicalKey& key : kKeys)
    if (key.usage == usage) return &key;
  return nullptr;
}

const PhysicalKey* physicalKeyByCharacter(char character) {
  for (const PhysicalKey& key : kKeys)
    if (character != 0 && key.character == character) return &key;
  return nullptr;
}

UINT unboundMessage(const PhysicalKey* key, char typed, bool numLock) {
  if (key != nullptr && key->character == 0)
    return numLock && key->numLockMessage != 0 ? key->numLockMessage : key->message;
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(typed)));
  if (const PhysicalKey* typing = physicalKeyByCharacter(lower)) return typing->message;
  return key != nullptr ? key->message : 0;
}

const PhysicalKey* physicalKeyByName(std::string_view name, bool* numLock) {
  if (name.size() > 3 && sameName(name.substr(0, 3), "VK_")) name.remove_prefix(3);
  if (name.empty()) return nullptr;
  for (const PhysicalKey& key : kKeys) {
    *numLock = false;
    if (listHas(key.names, name)) return &key;
    *numLock = true;
    if (listHas(key.numLockNames, name)) return &key;
  }
  // After every Windows name, which scripts use ("MENU" is Alt).
  *numLock = true;
  for (const PhysicalKey& key : kKeys)
    if (sameName(key.label, name)) return &key;
  return physicalKeyByCode(name);
}

int padInputByName(std::string_view name) {
  for (int i = 0; i < kPadInputCount; ++i)
    if (sameName(kPadInputNames[i], name)) return i;
  return -1;
}

std::span<const InputAction> inputActions() {
  return kActions;
}

std::span<const InputAction> viewerActions() {
  return kViewerActions;
}

int actionByName(std::string_view name, std::span<const InputAction> table) {
  for (size_t i = 0; i < table.size(); ++i)
    if (sameName(table[i].name, name)) return static_cast<int>(i);
  return -1;
}
