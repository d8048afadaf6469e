// Putting the browser backend in place.
#include "platform/web/web_backend.h"

#include "platform/internal/screen_layout.h"

#include "platform/web/web_bridge.h"
#include "platform/web/web_state.h"
#include "platform/win32.h"

namespace {

WebBackendState state;
Backend webBackend;

void screenSize(int* width, int* height) {
  *width = state.screen.width;
  *height = state.screen.height;
}

}  // namespace

WebBackendState& webState() {
  return state;
}

WebWindow* webWindowFor(HWND hwnd) {
  for (auto& w : state.windows)
    if (w->hwnd == hwnd) return w.get();
  return nullptr;
}

uintptr_t canvasId(HWND hwnd) {
  return reinterpret_cast<uintptr_t>(hwnd);
}

WebConfig webConfigFromPage() {
  WebConfig config;
  config.scale = snowvel_web_requested_scale();
  config.noAudio = snowvel_web_no_sound() != 0;
  return config;
}

void installWebBackend(const WebConfig& config) {
  state.config = config;
  state.frame = overlappedFrameInsets();
  WebArea area;
  snowvel_web_area_size(&area.width, &area.height);
  area.pixelRatio = snowvel_web_pixel_ratio();
  // No window yet to ask for its smallest size: the page reports the area
  // again once the main window exists, and the scale is checked then.
  state.screen = webScreenFor(area, config.scale, state.frame, SIZE{});
  snowvel_web_set_scale(state.screen.scale);

  webBackend = Backend{};
  webBackend.tickCount = webTickCount;
  webBackend.playPcm = webPlayPcm;
  webBackend.stopSound = webStopSound;
  webBackend.screenSize = screenSize;
  webBackend.createWindow = webCreateWindow;
  webBackend.destroyWindow = webDestroyWindow;
  webBackend.setWindowState = webSetWindowState;
  webBackend.setWindowTitle = webSetWindowTitle;
  webBackend.setWindowClient = webSetWindowClient;
  webBackend.raiseWindow = webRaiseWindow;
  webBackend.present = webPresent;
  webBackend.waitEvent = webWaitEvent;
  webBackend.beginMessageBox = webBeginMessageBox;
  setBackend(&webBackend);
  loadPageBindings();
}

bool loadStoredFolder(const std::string& directory) {
  return snowvel_web_storage_load(directory.c_str()) != 0;
}

void noteGameEnded() {
  snowvel_web_game_ended();
}
