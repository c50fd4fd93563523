#include "screens/dialogs/wnd_confirm.h"

#include "engine/button.h"
#include "screens/dialogs/dialog_parts.h"

using namespace dialogs;

AWndConfirm::AWndConfirm(OWindow* window, int x, int y, int width, int height, std::string line1,
                         std::string line2)
    : OKillWindowButton(window, x, y, width, height), text1_(std::move(line1)), text2_(std::move(line2)) {
  yes_ = AddCommandButton(*this, ButtonPicture::kYes, kYesX, kButtonY, 0, kCodeYes);
  no_ = AddCommandButton(*this, ButtonPicture::kNo, kNoX, kButtonY, 0, kCodeNo);
}

void AWndConfirm::Enter(OEngine** activeSlot) {
  line1_.Hide();
  line2_.Hide();
  line1_.Show(*this, -1, kLine1Y, text1_, kDropHeight, kLineDepth);
  line2_.Show(*this, -1, kLine2Y, text2_, kDropHeight, kLineDepth);
  OKillWindowButton::Enter(activeSlot);
}

void AWndConfirm::Leave() {
  line1_.Hide();
  line2_.Hide();
  OKillWindowButton::Leave();
}

void AWndConfirm::OnButtonCommand(OClipControl* button) {
  if (!button) return;
  if (button->commandCode == kCodeYes) Yes();
  if (button->commandCode == kCodeNo) No();
}
