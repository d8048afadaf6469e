// Every number and name that crosses between the web backend's C++ and the
// page's JavaScript, kept once. The build turns each `inline constexpr` line
// below into a field of the page's SnowvelBridge object (kEventKeyDown
// becomes SnowvelBridge.EVENT_KEY_DOWN; see bridge_constants.cmake), so a
// value changed here changes on both sides. Only platform/web and the web
// program include this.
#pragma once

#include "platform/backend.h"

namespace web_bridge {

// The kinds of events the page sends: the first of BackendEventType's, by
// its numbers, which the checks below hold to. A kind past these is dropped.
inline constexpr int kEventKeyDown = 0;
inline constexpr int kEventKeyUp = 1;
inline constexpr int kEventChar = 2;
inline constexpr int kEventMouseMove = 3;
inline constexpr int kEventMouseDown = 4;
inline constexpr int kEventMouseUp = 5;
inline constexpr int kEventActivate = 6;
inline constexpr int kEventDeactivate = 7;
inline constexpr int kEventMinimise = 8;
inline constexpr int kEventRestore = 9;
inline constexpr int kEventResize = 10;
inline constexpr int kEventClose = 11;
inline constexpr int kEventBoxAnswer = 12;
inline constexpr int kEventKindCount = 13;

// Records of a game pad's changes, in the same queue past the event kinds
// (WebPadRecord): the pad's index in the box field, then a and b in x and y.
// A button: a is a pad input of the input table (kPadInputNames), b 1
// pressed or 0 let go; the left stick: a and b its x and y (-32768..32767,
// y downward); gone: the pad was unplugged.
inline constexpr int kPadButton = 100;
inline constexpr int kPadStick = 101;
inline constexpr int kPadGone = 102;

// What snowvel_web_key answers for a key of the browser: ints at these
// places. Natural is what the key sends unbound, message what it sends with
// the player's bindings (0: nothing), action the action it is bound to or
// -1; held says the browser's own meaning of the key is held back; types,
// that the layer makes a character of the natural message.
inline constexpr int kKeyNatural = 0;
inline constexpr int kKeyMessage = 1;
inline constexpr int kKeyAction = 2;
inline constexpr int kKeyHeld = 3;
inline constexpr int kKeyTypes = 4;
inline constexpr int kKeyFieldCount = 5;

// The page's event record: ints at these places, filled by snowvel_web_poll.
inline constexpr int kFieldType = 0;
inline constexpr int kFieldWindow = 1;
inline constexpr int kFieldKey = 2;
inline constexpr int kFieldRepeat = 3;
inline constexpr int kFieldCharacter = 4;
inline constexpr int kFieldX = 5;
inline constexpr int kFieldY = 6;
inline constexpr int kFieldButton = 7;
inline constexpr int kFieldWidth = 8;
inline constexpr int kFieldHeight = 9;
inline constexpr int kFieldBox = 10;
inline constexpr int kFieldAnswer = 11;
inline constexpr int kFieldCount = 12;

// Mouse buttons as the layer numbers them (BackendEvent::button).
inline constexpr int kButtonLeft = 0;
inline constexpr int kButtonRight = 1;
inline constexpr int kButtonMiddle = 2;

// How snowvel_web_show_canvas shows a window's canvas.
inline constexpr int kCanvasHidden = 0;
inline constexpr int kCanvasShown = 1;
inline constexpr int kCanvasMinimised = 2;

// A message box's buttons reach the page as lines of three fields: the
// answer, the label, and whether Enter picks it ("1" or "0").
inline constexpr char kBoxLineEnd[] = "\n";
inline constexpr char kBoxFieldSeparator[] = "\t";
inline constexpr char kBoxDefaultButton[] = "1";

// The stored folder for the high scores, which is also the name of its
// database in the browser.
inline constexpr char kDataDirectory[] = "/snowvel";

// BackendEventType keeps the numbers the page sends; kinds only a desktop
// sends come after them.
static_assert(kEventKeyDown == static_cast<int>(BackendEventType::KeyDown));
static_assert(kEventKeyUp == static_cast<int>(BackendEventType::KeyUp));
static_assert(kEventChar == static_cast<int>(BackendEventType::Char));
static_assert(kEventMouseMove == static_cast<int>(BackendEventType::MouseMove));
static_assert(kEventMouseDown == static_cast<int>(BackendEventType::MouseDown));
static_assert(kEventMouseUp == static_cast<int>(BackendEventType::MouseUp));
static_assert(kEventActivate == static_cast<int>(BackendEventType::Activate));
static_assert(kEventDeactivate == static_cast<int>(BackendEventType::Deactivate));
static_assert(kEventMinimise == static_cast<int>(BackendEventType::Minimise));
static_assert(kEventRestore == static_cast<int>(BackendEventType::Restore));
static_assert(kEventResize == static_cast<int>(BackendEventType::Resize));
static_assert(kEventClose == static_cast<int>(BackendEventType::Close));
static_assert(kEventBoxAnswer == static_cast<int>(BackendEventType::MessageBoxAnswer));
static_assert(kEventKindCount == static_cast<int>(BackendEventType::MessageBoxAnswer) + 1);

}  // namespace web_bridge
