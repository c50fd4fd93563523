// AWndRest: the new-game confirmation (340 x 300), opened by the new-game button while a game with a
// score runs, or by the options dialog when the level or mode changed. Until its question and buttons
// arrive, Enter answers yes and a click or Escape answers no.
#pragma once

#include "screens/dialogs/plain_dialog.h"

class AWndOptions;

class AWndRest : public APlainDialog {
 public:
  static constexpr int kWidth = 340, kHeight = 300;
  using APlainDialog::APlainDialog;

  // Yes: a new session (rebuildSession) or a new game of the current one; then leaves.
  void Accept() override;
  // No: the requesting dialog's level and mode come back; then leaves.
  void Dismiss() override;

  bool rebuildSession = false;       // yes makes a new session rather than restarting the game
  AWndOptions* requester = nullptr;  // the dialog that asked, or null
};
