// ClearRecordsDialog: the clear-records confirmation (336 x 300), opened from the top-ten screen. Yes removes
// the results of the level and mode the top ten shows, and their recordings, and has the top ten redraw
// its list. Records cannot be had back, so Enter answers No here: only Yes itself, clicked or pressed with
// the focus, deletes.
#pragma once

#include "screens/dialogs/confirm_dialog.h"

class ClearRecordsDialog : public ConfirmDialog {
 public:
  static constexpr int kWidth = 336, kHeight = 300;
  // The question's lines and buttons, Enter and Escape both answering No.
  ClearRecordsDialog(Window* window, int x, int y, int width, int height);

  // Clears the records of the top ten's level code and deletes their recordings, leaves, and re-enters
  // the top ten.
  void Yes() override;
  // Back to the top ten, nothing cleared.
  void No() override { Leave(); }
};
