// The game's entry: the SDL platform under the main window.
#include "app/main_window.h"
#include "engine/platform_sdl.h"

int main() {
  SdlPlatform platform;
  // Without a display Init fails, and creating the window then reports "Can't create window".
  platform.Init();
  SetPlatform(&platform);
  const int code = RunGame();
  SetPlatform(nullptr);
  return code;
}
