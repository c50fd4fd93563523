#include "screens/dialogs/wnd_exit.h"

void AWndExit::Accept() {
  if (OWindow* window = GetWindow()) window->Close();
  Leave(0);
}
