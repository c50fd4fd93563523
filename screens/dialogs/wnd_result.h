// AWndResult: the result entry (336 x 510), opened when a game ends with a score. Until its name field
// arrives it records nothing: any way of closing it starts the next game.
#pragma once

#include "screens/dialogs/plain_dialog.h"

class AWndResult : public APlainDialog {
 public:
  static constexpr int kWidth = 336, kHeight = 510;
  using APlainDialog::APlainDialog;

  // Leaves, then the main screen's game starts anew.
  void Dismiss() override;
};
