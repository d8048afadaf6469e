// Message boxes through SDL's own. On X11 and Wayland SDL shows the box from
// a separate process, so we wait for it on a helper thread and the window
// thread keeps painting; the answer comes back as an SDL event.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "platform/internal/message_box_layout.h"
#include "platform/sdl2/sdl_state.h"

namespace {

std::atomic<int> boxesShowing{0};
int nextBoxId = 0;

int showBox(const std::string& text, const std::string& caption, UINT type) {
  MessageBoxLayout layout = layoutMessageBox(type);
  std::vector<SDL_MessageBoxButtonData> buttons;
  for (const MessageBoxButton& button : layout.buttons) {
    Uint32 flags = 0;
    if (button.isDefault) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (button.isEscape) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    buttons.push_back(SDL_MessageBoxButtonData{flags, button.answer, button.label});
  }
  Uint32 flags = SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  switch (layout.icon) {
    case MessageBoxIcon::Error:
      flags |= SDL_MESSAGEBOX_ERROR;
      break;
    case MessageBoxIcon::Warning:
      flags |= SDL_MESSAGEBOX_WARNING;
      break;
    case MessageBoxIcon::Information:
      flags |= SDL_MESSAGEBOX_INFORMATION;
      break;
    case MessageBoxIcon::None:
      break;
  }
  SDL_MessageBoxData data{
      flags,          nullptr, caption.c_str(), text.c_str(), static_cast<int>(buttons.size()),
      buttons.data(), nullptr};
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) {
    // No box could be shown: say it where it can still be read. Windows
    // returns 0 from a box that failed.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return 0;
  }
  return pressed < 0 ? layout.closeAnswer : pressed;
}

void postAnswer(int box, int answer) {
  SDL_Event event{};
  event.type = sdlState().firstEventType + kMessageBoxAnswered;
  event.user.code = box;
  event.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(answer));
  SDL_PushEvent(&event);
}

// Where SDL runs the box in a process of its own it may be waited for on
// any thread; elsewhere the box must come from the window thread.
bool boxesMayWaitOnThread() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr &&
         (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
}

}  // namespace

int sdlBeginMessageBox(const char* text, const char* caption, UINT type) {
  int box = ++nextBoxId;
  std::string boxText = text != nullptr ? text : "";
  std::string boxCaption = caption != nullptr ? caption : "";
  if (!boxesMayWaitOnThread()) {
    postAnswer(box, showBox(boxText, boxCaption, type));
    return box;
  }
  ++boxesShowing;
  std::thread([box, boxText, boxCaption, type] {
    int answer = showBox(boxText, boxCaption, type);
    postAnswer(box, answer);
    --boxesShowing;
  }).detach();
  return box;
}

bool messageBoxesShowing() {
  return boxesShowing.load() != 0;
}
