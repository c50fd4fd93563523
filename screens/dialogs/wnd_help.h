// AWndHelp: the help screen (650 x 500), re-centred over the main screen each time it opens. Until its pages
// of text arrive it is an empty framed page that a click, Escape or Enter closes.
#pragma once

#include "screens/dialogs/plain_dialog.h"

class AWndHelp : public APlainDialog {
 public:
  static constexpr int kWidth = 650, kHeight = 500;
  using APlainDialog::APlainDialog;
};
