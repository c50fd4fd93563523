#include "screens/dialogs/wnd_options.h"

#include "store/options.h"

void AWndOptions::Enter(OEngine** activeSlot) {
  savedLevel = GetOptions().Level;
  savedGameType = GetOptions().GameType;
  APlainDialog::Enter(activeSlot);
}
