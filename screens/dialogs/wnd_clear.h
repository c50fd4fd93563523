// AWndClear: the clear-records confirmation (336 x 300), opened from the top-ten screen. Until its
// question and buttons arrive it is an empty framed page that a click or Escape closes, clearing nothing.
#pragma once

#include "screens/dialogs/plain_dialog.h"

class AWndClear : public APlainDialog {
 public:
  static constexpr int kWidth = 336, kHeight = 300;
  using APlainDialog::APlainDialog;
};
