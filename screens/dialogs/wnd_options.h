// AWndOptions: the options dialog (450 x 565). Until its controls arrive it is an empty framed page that
// a click, Escape or Enter closes, changing nothing.
#pragma once

#include "screens/dialogs/plain_dialog.h"

class AWndOptions : public APlainDialog {
 public:
  static constexpr int kWidth = 450, kHeight = 565;
  using APlainDialog::APlainDialog;

  // The level and the game type when the dialog was opened, for the new-game confirmation's roll-back.
  int savedLevel = 0;
  int savedGameType = 0;

  // Remembers the level and the game type, then enters.
  void Enter(OEngine** activeSlot) override;
};
