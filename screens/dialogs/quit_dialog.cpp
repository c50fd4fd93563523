#include "screens/dialogs/quit_dialog.h"

void QuitDialog::Yes() {
  if (Window* window = GetWindow()) window->Close();
  Leave();
}
