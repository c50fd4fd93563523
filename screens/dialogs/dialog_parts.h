// The pieces the dialog screens are built from: command buttons and check boxes copied out of the
// catalogue, the command codes they share, and the level code the result and top-ten screens file
// records under.
#pragma once

#include <string>

#include "engine/catalogue_names.h"

class Button;
class CheckBox;
class Screen;

namespace dialogs {

// Command codes of the dialog buttons (every one delays its command by 500 ms).
constexpr int kCodeNo = 11;  // No, Cancel, next and previous page
constexpr int kCodeClear = 12;
constexpr int kCodeSubmit = 13;  // also "more games" in help
constexpr int kCodeClose = 14;
constexpr int kCodeYes = 15;  // Yes, OK

// A command button from the button picture at (x, y, depth) with the command code; null when the picture
// is missing.
Button* AddCommandButton(Screen& screen, ButtonPicture picture, int x, int y, int depth, int code);
// An unchecked check box from the button picture at (x, y), depth 0; null when missing.
CheckBox* AddCheckBox(Screen& screen, ButtonPicture picture, int x, int y);

// The level code records are filed under for the current options: strategy level + 1, arcade level + 4.
int CurrentLevelCode();

}  // namespace dialogs
