#include "screens/dialogs/wnd_rest.h"

#include "game/game.h"
#include "screens/dialogs/wnd_options.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"
#include "store/options.h"

void AWndRest::Accept() {
  AMainWindow* main = screens::mainScreen.get();
  if (rebuildSession) {
    rebuildSession = false;
    if (main) {
      main->StopDemo();
      main->StartGame(true, false);
    }
  } else if (main && main->GetGame()) {
    main->GetGame()->Start(false);
  }
  Leave(0);
}

void AWndRest::Dismiss() {
  if (requester) {
    GetOptions().Level = requester->savedLevel;
    GetOptions().GameType = requester->savedGameType;
  }
  Leave(0);
}
