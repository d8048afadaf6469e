// The one input table: every key on the keyboard by its place, and every
// action the player has with the key message it sends the game and its
// default keys, pad inputs and on-screen button. The desktop, headless and
// browser backends all read these rows (the browser a JavaScript copy the
// build writes from them), so a key is never mapped twice.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/internal/same_name.h"
#include "platform/win32/types.h"

// A key by its place on the keyboard, whatever the layout prints on it.
struct PhysicalKey {
  const char* code;          // the browser's KeyboardEvent.code, our name for the place
  const char* label;         // what a US keyboard calls it, for people ("Keypad 4")
  uint16_t usage;            // its USB HID keyboard usage, which is SDL's scancode
  UINT message;              // what Windows sends for it (the keypad: with NumLock off)
  UINT numLockMessage;       // the keypad with NumLock on; 0 for every other key
  char character;            // what it types on a US layout (letters, digits, punctuation),
                             // where the user's layout decides the message; 0 elsewhere
  const char* names;         // Windows' names of message, space separated (script names)
  const char* numLockNames;  // likewise for numLockMessage
};

std::span<const PhysicalKey> physicalKeys();
// By code, in any case; null when unknown.
const PhysicalKey* physicalKeyByCode(std::string_view code);
const PhysicalKey* physicalKeyByUsage(uint16_t usage);
// The key that types this character on a US layout (a lower-case letter, a
// digit or punctuation), whose message a layout typing it elsewhere sends.
const PhysicalKey* physicalKeyByCharacter(char character);
// The key and NumLock state that sends the message a Windows name stands for
// ("LEFT", "NUMPAD4", "F2", "A"): a name of a key of the table, or a code or
// label (then with NumLock on). Null for unknown names.
const PhysicalKey* physicalKeyByName(std::string_view name, bool* numLock);
// What a key sends unbound, as Windows would: a fixed key (the keypad, the
// arrows, F-keys) by its place, the keypad's digits with NumLock on; a
// character key by what the layout typed on it (the message of the US key
// typing that character), else by its place. key may be null (a key the
// table lacks); typed is 0 when the press typed no ASCII character.
UINT unboundMessage(const PhysicalKey* key, char typed, bool numLock);

// The pad's inputs: its buttons by SDL's game-controller names, and the eight
// directions that the D-pad and the left stick point.
inline constexpr const char* kPadInputNames[] = {
    "a",
    "b",
    "x",
    "y",
    "back",
    "guide",
    "start",
    "leftstick",
    "rightstick",
    "leftshoulder",
    "rightshoulder",
    "up",
    "down",
    "left",
    "right",
    "up-left",
    "up-right",
    "down-left",
    "down-right",
};
inline constexpr int kPadInputCount = std::size(kPadInputNames);
inline constexpr int kFirstPadDirection = 11;
static_assert(kPadInputNames[kFirstPadDirection] == std::string_view("up"));
// The index of a pad input by name, or -1.
int padInputByName(std::string_view name);

// Something the player does. A game action sends its message whichever key
// or button is bound to it, so a remapped key reaches the game as the key
// the game knows and replays stay exact. A desktop action (screenshot,
// fullscreen) is the backend's own and sends nothing.
struct InputAction {
  const char* name;     // in the settings file and on the command line
  const char* label;    // for people
  UINT message;         // 0 for a desktop action
  UINT numLockMessage;  // what a keypad key with NumLock on sends instead; 0: message
  const char* keys;     // default keys by code, space separated
  const char* pad;      // default pad inputs, space separated, in the order they fire
  const char* button;   // the page's on-screen button, or null
};

std::span<const InputAction> inputActions();
// What the watcher does in the runs viewer, in this order; keys only, bound
// apart from the game's (Left seeks there and steers in play), sending
// nothing to the game.
enum ViewerAction {
  VIEWER_PAUSE,
  VIEWER_SLOWER,
  VIEWER_FASTER,
  VIEWER_BACK,
  VIEWER_AHEAD,
  VIEWER_TO_START,
  VIEWER_TO_RESULT,
  VIEWER_ACTION_COUNT
};
std::span<const InputAction> viewerActions();
// The index of an action of the table by name (any case), or -1.
int actionByName(std::string_view name, std::span<const InputAction> table = inputActions());
