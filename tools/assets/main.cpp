// globbet-assets: draws every picture and synthesises every sound of the game into a data folder:
//   globbet-assets DATADIR
// writes DATADIR/clp/... and DATADIR/wav/... (the game's data) and DATADIR/icons/... (the desktop
// icons, which the install places apart from the data). The output is the same bytes on every run.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <chrono>
#include <cstdio>

#include "tools/assets/alphabet.h"
#include "tools/assets/balls.h"
#include "tools/assets/buttons.h"
#include "tools/assets/dialogs.h"
#include "tools/assets/frames.h"
#include "tools/assets/icon.h"
#include "tools/assets/intro.h"
#include "tools/assets/output.h"
#include "tools/assets/sounds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: globbet-assets DATADIR\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  art::DataSet data(argv[1]);
  art::MakeBalls(data);
  art::MakeFrames(data);
  art::MakeButtons(data);
  art::MakeAlphabets(data);
  art::MakeDialogPictures(data);
  art::MakeIntro(data);
  art::MakeSounds(data);
  art::MakeIcons(data);
  // Every canvas is gone: let cairo and fontconfig free their font caches, so leak checks stay quiet.
  cairo_debug_reset_static_data();
  FcFini();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("globbet-assets: %d files, %llu bytes in %.2f s\n", data.Files(),
              static_cast<unsigned long long>(data.Bytes()), seconds);
  return data.Failed() ? 1 : 0;
}
