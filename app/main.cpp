// The game's entry: the SDL platform under the main window, and the sound player on SDL's audio output.
#include "app/main_window.h"
#include "engine/platform_sdl.h"
#include "engine/platform_sdl_audio.h"
#include "engine/sound.h"

int main() {
  HoldQuitSignalsUntilInit();
  SdlPlatform platform;
  // Without a display Init fails, and creating the window then reports "Can't create window".
  platform.Init();
  SetPlatform(&platform);
  // Without a usable audio output the player stays silent and the game goes on.
  OSound sound(MakeSdlAudioDevice());
  SetSound(&sound);
  const int code = RunGame();
  SetSound(nullptr);
  SetPlatform(nullptr);
  return code;
}
