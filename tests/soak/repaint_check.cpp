#include "repaint_check.h"

#include <cstring>
#include <vector>

#include "display/display.h"
#include "platform/internal/window_surface.h"
#include "shell/world_state.h"
#include "support/world_snapshot.h"

namespace {

// The main window's client pixels as they stand in its framebuffer.
std::vector<uint32_t> clientPicture(int* width, int* height) {
  WindowDrawTarget target;
  if (!userGetWindowDrawTarget(world.mainWindow, &target)) return {};
  *width = world.clientRect.right - world.clientRect.left;
  *height = world.clientRect.bottom - world.clientRect.top;
  std::vector<uint32_t> picture;
  for (int y = 0; y < *height && target.originY + y < target.surfaceHeight; ++y) {
    const uint32_t* row =
        target.pixels + static_cast<size_t>(target.originY + y) * target.stride + target.originX;
    picture.insert(picture.end(), row, row + std::min(*width, target.surfaceWidth));
  }
  return picture;
}

void restorePicture(const std::vector<uint32_t>& picture, int width) {
  WindowDrawTarget target;
  if (!userGetWindowDrawTarget(world.mainWindow, &target) || width <= 0) return;
  for (size_t y = 0; y * width < picture.size(); ++y)
    std::memcpy(target.pixels + (target.originY + y) * target.stride + target.originX,
                &picture[y * width], width * sizeof(uint32_t));
}

}  // namespace

std::string compareWithFullRepaint() {
  int width = 0, height = 0;
  const std::vector<uint32_t> screen = clientPicture(&width, &height);

  std::vector<uint32_t> fresh;
  {
    const testsupport::WorldSnapshot snapshot;
    PatBlt(world.mainDc, 0, 0, width, height, WHITENESS);
    paintRegion(world.mainDc, &world.clientRect);
    fresh = clientPicture(&width, &height);
  }
  restorePicture(screen, width);

  if (screen.size() != fresh.size()) return "the client area changed size";
  for (size_t i = 0; i < screen.size(); ++i) {
    if (screen[i] != fresh[i]) {
      char text[160];
      std::snprintf(text, sizeof text,
                    "pixel %zu,%zu is %06X after the incremental repaints but %06X painted afresh",
                    i % width, i / width, screen[i], fresh[i]);
      return text;
    }
  }
  return "";
}
