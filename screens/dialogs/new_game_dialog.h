// NewGameDialog: the new-game confirmation (340 x 300), opened by the new-game button while a game with a
// score runs, or by the options dialog when the level or mode changed during a game.
#pragma once

#include "screens/dialogs/confirm_dialog.h"

class OptionsDialog;

class NewGameDialog : public ConfirmDialog {
 public:
  static constexpr int kWidth = 340, kHeight = 300;
  NewGameDialog(Window* window, int x, int y, int width, int height)
      : ConfirmDialog(window, x, y, width, height, "START NEW", "GAME ?") {}

  // A new session (rebuildSession, cleared) or a new game of the current one; then leaves.
  void Yes() override;
  // The requesting dialog's level and mode come back; then leaves.
  void No() override;

  bool rebuildSession = false;         // yes makes a new session rather than restarting the game
  OptionsDialog* requester = nullptr;  // the dialog that asked, or null
};
