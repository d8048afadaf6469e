// The Windows entry point: straight into the game on the real API.
#include "platform/win32.h"
#include "shell/shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandTail, int showCommand) {
  return gameMain(instance, previous, commandTail, showCommand);
}
