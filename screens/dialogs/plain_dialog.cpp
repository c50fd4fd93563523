#include "screens/dialogs/plain_dialog.h"

#include "engine/platform.h"

void APlainDialog::OnKeyUp(int key, int) {
  if (key == vk::kReturn) Accept();
  if (key == vk::kEscape) Dismiss();
}

OClipControl* APlainDialog::OnLButtonUp(int x, int y) {
  OClipControl* control = OKillWindowButton::OnLButtonUp(x, y);
  if (!control) Dismiss();
  return control;
}

void APlainDialog::OnButtonCommand(OClipControl*) {}
