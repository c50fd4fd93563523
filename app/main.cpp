// The game's entry: the SDL platform under the main window, and the sound player on SDL's audio output.
#include <cstdio>
#include <cstring>

#include "app/game_window.h"
#include "engine/platform_sdl.h"
#include "engine/platform_sdl_audio.h"
#include "engine/sound_player.h"

int main(int argc, char** argv) {
  // The only option: the launcher takes the player's, and this one says which build is installed.
  if (argc > 1 && (!std::strcmp(argv[1], "--version") || !std::strcmp(argv[1], "-v"))) {
    std::printf("globbet %s\n", GLOBBET_VERSION);
    return 0;
  }
  HoldQuitSignalsUntilInit();
  SdlPlatform platform;
  // Without a display Init fails, and creating the window then reports "Can't create window".
  platform.Init();
  SetPlatform(&platform);
  // Without a usable audio output the player stays silent and the game goes on.
  SoundPlayer sound(MakeSdlAudioDevice());
  SetSound(&sound);
  const int code = RunGame();
  SetSound(nullptr);
  SetPlatform(nullptr);
  return code;
}
