// Process start: the fixed tables, the two windows, the game, the loop.
#include "display/display.h"
#include "scoring/scoring.h"
#include "shell/shell.h"
#include "sound/sound.h"

namespace {

const char kMainClass[] = "SnowvelMain";
const char kStatusClass[] = "SnowvelStatus";

// The other copy's window comes to the front (restored if minimised) and
// this copy gives up quietly.
bool handOverToRunningCopy() {
  HWND running = FindWindowA(kMainClass, nullptr);
  if (running == nullptr) return false;
  SetWindowPos(running, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (IsIconic(running)) OpenIcon(running);
  return true;
}

bool registerClasses() {
  const UINT style = CS_BYTEALIGNWINDOW | CS_OWNDC | CS_HREDRAW | CS_VREDRAW;

  WNDCLASSA mainClass{};
  mainClass.style = style;
  mainClass.lpfnWndProc = mainWindowProc;
  mainClass.hInstance = world.appInstance;
  mainClass.hIcon = LoadIconA(world.appInstance, "iconSnowvel");
  mainClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  mainClass.hbrBackground = world.whiteBrush;
  mainClass.lpszClassName = kMainClass;
  if (RegisterClassA(&mainClass) == 0) return false;

  WNDCLASSA statusClass{};
  statusClass.style = style;
  statusClass.lpfnWndProc = statusWindowProc;
  statusClass.hInstance = world.appInstance;
  statusClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  statusClass.hbrBackground = world.whiteBrush;
  statusClass.lpszClassName = kStatusClass;
  return RegisterClassA(&statusClass) != 0;
}

bool measureScreen() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  world.screenWidth = int16_t(GetDeviceCaps(screen, HORZRES));
  world.screenHeight = int16_t(GetDeviceCaps(screen, VERTRES));
  ReleaseDC(nullptr, screen);
  return true;
}

// No window yet, so the game counts as minimised and not running.
void clearWindowState(HINSTANCE instance) {
  world.appInstance = instance;
  world.whiteBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  world.mainWindow = nullptr;
  world.statusWindow = nullptr;
  world.timerOn = false;
  world.minimised = true;
  world.windowActive = 0;
  world.running = false;
  world.anchorX = 0;
  world.anchorY = 0;
}

// The main window is a column as high as the screen, no wider than it is
// high, centred at the top; the status panel is its child.
bool createGameWindows(int showCommand) {
  const int width = world.screenWidth < world.screenHeight ? world.screenWidth : world.screenHeight;
  world.mainWindow =
      CreateWindowExA(0, kMainClass, loadString(STRING_TITLE),
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, (world.screenWidth - width) / 2, 0,
                      width, world.screenHeight, nullptr, nullptr, world.appInstance, nullptr);
  if (world.mainWindow == nullptr) return false;

  world.statusWindow = CreateWindowExA(0, kStatusClass, "", WS_CHILD, 0, 0, 0, 0, world.mainWindow,
                                       nullptr, world.appInstance, nullptr);
  if (world.statusWindow == nullptr) {
    DestroyWindow(world.mainWindow);
    return false;
  }

  ShowWindow(world.mainWindow, showCommand);
  UpdateWindow(world.mainWindow);
  ShowWindow(world.statusWindow, SW_SHOWNORMAL);
  UpdateWindow(world.statusWindow);
  return true;
}

}  // namespace

bool allocateTables() {
  // All four are asked for before any failure is looked at.
  world.stringCache = static_cast<char**>(LocalAlloc(LMEM_FIXED, kStringCacheSize * sizeof(char*)));
  world.sprites = static_cast<Sprite*>(LocalAlloc(LMEM_FIXED, kSpriteCount * sizeof(Sprite)));
  world.actorPool = static_cast<Actor*>(LocalAlloc(LMEM_FIXED, kActorPoolSize * sizeof(Actor)));
  world.placedObjects =
      static_cast<PlacedObject*>(LocalAlloc(LMEM_FIXED, kPlacedObjectCount * sizeof(PlacedObject)));
  if (world.stringCache == nullptr || world.sprites == nullptr || world.actorPool == nullptr ||
      world.placedObjects == nullptr) {
    showError("Insufficient local memory.");
    return false;
  }
  for (int id = 0; id < kStringCacheSize; ++id) world.stringCache[id] = nullptr;
  // The empty sprite must read as zero size even before the sheets exist.
  world.sprites[SPRITE_NONE] = Sprite{nullptr, nullptr, 0, 0, 0, 0};
  return true;
}

bool createWindows(HINSTANCE instance, HINSTANCE previous, int showCommand) {
  if (!measureScreen()) return false;
  clearWindowState(instance);
  if (handOverToRunningCopy()) return false;
  if (!world.soundOff) loadSounds();
  if (previous == nullptr && !registerClasses()) return false;
  return createGameWindows(showCommand);
}

int gameMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandTail, int showCommand) {
  // The whole tail must be the word, not merely contain it.
  world.soundOff = lstrcmpiA(commandTail != nullptr ? commandTail : "", "nosound") == 0;

  if (!allocateTables()) return 0;
  resetWorld();
  if (!createWindows(instance, previous, showCommand)) return 0;
  if (!startGame()) {
    DestroyWindow(world.mainWindow);
    releaseSounds();
    return 0;
  }

  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  releaseSounds();
  return int(message.wParam);
}
