#include "screens/dialogs/clear_records_dialog.h"

#include <string>

#include "engine/active_screen.h"
#include "engine/button.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/dialogs/top_ten_dialog.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"

ClearRecordsDialog::ClearRecordsDialog(Window* window, int x, int y, int width, int height)
    : ConfirmDialog(window, x, y, width, height, "DELETE ALL", "RECORDS ?") {
  SetKeyButtons(NoButton(), NoButton());
}

void ClearRecordsDialog::Yes() {
  if (MainScreen* main = screens::mainScreen().get())
    main->Scores().ClearLevel(std::to_string(dialogs::CurrentLevelCode()));
  Leave();
  // The top ten builds its rows at Enter: leaving and entering again shows the emptied list.
  if (TopTenDialog* topTen = screens::topTen().get(); topTen && ActiveScreen() == topTen) {
    topTen->Leave();
    topTen->Enter(&ActiveScreen());
  }
}
