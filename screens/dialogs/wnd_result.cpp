#include "screens/dialogs/wnd_result.h"

#include "game/game.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"

void AWndResult::Dismiss() {
  Leave(0);
  if (AMainWindow* main = screens::mainScreen.get())
    if (Game* game = main->GetGame()) game->Start(false);
}
