// QuitDialog: the quit confirmation (336 x 300), opened by the exit button while a game with a score would
// otherwise be lost (automatic resume off).
#pragma once

#include "screens/dialogs/confirm_dialog.h"

class QuitDialog : public ConfirmDialog {
 public:
  static constexpr int kWidth = 336, kHeight = 300;
  QuitDialog(Window* window, int x, int y, int width, int height)
      : ConfirmDialog(window, x, y, width, height, "QUIT THE", "GAME ?") {}

  // The main window closes.
  void Yes() override;
  // Back to the game.
  void No() override { Leave(); }
};
