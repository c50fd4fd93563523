#include "screens/dialogs/confirm_dialog.h"

#include "engine/button.h"
#include "screens/dialogs/dialog_parts.h"

using namespace dialogs;

ConfirmDialog::ConfirmDialog(Window* window, int x, int y, int width, int height, std::string line1,
                             std::string line2)
    : DialogScreen(window, x, y, width, height), text1_(std::move(line1)), text2_(std::move(line2)) {
  yes_ = AddCommandButton(*this, ButtonPicture::kYes, kYesX, kButtonY, 0, kCodeYes);
  no_ = AddCommandButton(*this, ButtonPicture::kNo, kNoX, kButtonY, 0, kCodeNo);
  SetKeyButtons(yes_, no_);
  SetFocusOrder({yes_, no_});
}

void ConfirmDialog::Enter(Screen** activeSlot) {
  line1_.Hide();
  line2_.Hide();
  line1_.Show(*this, -1, kLine1Y, text1_, kDropHeight, kLineDepth);
  line2_.Show(*this, -1, kLine2Y, text2_, kDropHeight, kLineDepth);
  DialogScreen::Enter(activeSlot);
}

void ConfirmDialog::Leave() {
  line1_.Hide();
  line2_.Hide();
  DialogScreen::Leave();
}

void ConfirmDialog::OnButtonCommand(Control* button) {
  if (!button) return;
  if (button->commandCode == kCodeYes) Yes();
  if (button->commandCode == kCodeNo) No();
}
