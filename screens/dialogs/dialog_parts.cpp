#include "screens/dialogs/dialog_parts.h"

#include <memory>

#include "engine/button.h"
#include "engine/catalogue.h"
#include "engine/check.h"
#include "engine/check_box.h"
#include "engine/screen.h"
#include "screens/screen_build.h"
#include "store/options.h"

namespace dialogs {

Button* AddCommandButton(Screen& screen, ButtonPicture picture, int x, int y, int depth, int code) {
  Button* button = AddButton(screen, catalogue::Get(picture), x, y, depth);
  if (button) button->commandCode = code;
  return button;
}

CheckBox* AddCheckBox(Screen& screen, ButtonPicture picture, int x, int y) {
  const Clip* source = catalogue::Get(picture);
  if (!source) return nullptr;
  auto box = std::make_unique<CheckBox>();
  box->CopyFrom(*source);
  box->Uncheck();
  box->x = x, box->y = y, box->depth = 0;
  return static_cast<CheckBox*>(screen.AddControl(std::move(box)));
}

int CurrentLevelCode() {
  const Options& options = GetOptions();
  return (options.mode == GameMode::kArcade ? 4 : 1) + options.level;
}

}  // namespace dialogs
