// AWndExit: the quit confirmation (336 x 300), opened by the exit button while a game with a score is
// unsaved. Until its question and buttons arrive, Enter answers yes (the window closes) and a click or
// Escape answers no.
#pragma once

#include "screens/dialogs/plain_dialog.h"

class AWndExit : public APlainDialog {
 public:
  static constexpr int kWidth = 336, kHeight = 300;
  using APlainDialog::APlainDialog;

  // Yes: the main window closes.
  void Accept() override;
};
