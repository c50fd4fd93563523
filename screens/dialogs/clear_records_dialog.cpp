#include "screens/dialogs/clear_records_dialog.h"

#include <string>

#include "engine/active_screen.h"
#include "engine/button.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/dialogs/top_ten_dialog.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"
#include "store/record_files.h"

ClearRecordsDialog::ClearRecordsDialog(Window* window, int x, int y, int width, int height)
    : ConfirmDialog(window, x, y, width, height, "DELETE ALL", "RECORDS ?") {
  SetKeyButtons(NoButton(), NoButton());
}

void ClearRecordsDialog::Yes() {
  TopTenDialog* topTen = screens::topTen().get();
  const int code = topTen ? topTen->Code() : dialogs::CurrentLevelCode();
  if (MainScreen* main = screens::mainScreen().get()) {
    main->Scores().ClearLevel(std::to_string(code));
    PruneRecordings(main->Scores());
  }
  Leave();
  // The top ten builds its rows at Enter: leaving and entering again shows the emptied list.
  if (topTen && ActiveScreen() == topTen) {
    topTen->Leave();
    topTen->Open(code, -1);
  }
}
