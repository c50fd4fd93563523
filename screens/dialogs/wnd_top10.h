// AWndTop10: the top-ten screen (336 x 540) over the main screen. Until its list arrives it is an empty
// framed page that a click, Escape or Enter closes.
#pragma once

#include "screens/dialogs/plain_dialog.h"

class AWndTop10 : public APlainDialog {
 public:
  static constexpr int kWidth = 336, kHeight = 540;
  using APlainDialog::APlainDialog;
};
