#include "screens/dialogs/wnd_exit.h"

void AWndExit::Yes() {
  if (OWindow* window = GetWindow()) window->Close();
  Leave();
}
