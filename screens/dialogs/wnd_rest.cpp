#include "screens/dialogs/wnd_rest.h"

#include "game/game.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/dialogs/wnd_options.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"
#include "store/options.h"

void AWndRest::OnKeyUp(int key, int) {
  if (key == dialogs::kKeyEnter) Yes();
  if (key == dialogs::kKeyEscape) No();
}

void AWndRest::Yes() {
  AMainWindow* main = screens::mainScreen().get();
  if (rebuildSession) {
    rebuildSession = false;
    if (main) main->StartNewGame();
  } else if (main && main->GetGame()) {
    main->GetGame()->Start(false);
  }
  Leave();
}

void AWndRest::No() {
  if (requester) {
    GetOptions().Level = requester->savedLevel;
    GetOptions().GameType = requester->savedGameType;
  }
  // A question that came with a new session must not leave the flag for the next, plain new game.
  rebuildSession = false;
  Leave();
}
