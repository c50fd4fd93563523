#include "screens/dialogs/wnd_clear.h"

#include <string>

#include "engine/active_screen.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/dialogs/wnd_top10.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"

void AWndClear::Yes() {
  if (AMainWindow* main = screens::mainScreen().get())
    main->Scores().ClearLevel(std::to_string(dialogs::CurrentLevelCode()));
  Leave();
  // The top ten builds its rows at Enter: leaving and entering again shows the emptied list.
  if (AWndTop10* top10 = screens::top10().get(); top10 && ActiveScreen() == top10) {
    top10->Leave();
    top10->Enter(&ActiveScreen());
  }
}
