#include "screens/dialogs/new_game_dialog.h"

#include "game/session.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/dialogs/options_dialog.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"
#include "store/options.h"

void NewGameDialog::Yes() {
  MainScreen* main = screens::mainScreen().get();
  if (rebuildSession) {
    rebuildSession = false;
    if (main) main->StartNewGame();
  } else if (main && main->GetSession()) {
    main->GetSession()->Start(false);
  }
  Leave();
}

void NewGameDialog::No() {
  if (requester) {
    GetOptions().level = requester->savedLevel;
    GetOptions().mode = requester->savedGameType;
  }
  // A question that came with a new session must not leave the flag for the next, plain new game.
  rebuildSession = false;
  Leave();
}
