// The catalogue's button pictures, "clp/buttons/<n>.clp": command buttons and the check boxes. Each is
// named by the number of its file, which never changes.
#pragma once

#include <array>
#include <memory>

#include "engine/button.h"
#include "engine/check.h"

enum class ButtonPicture {
  kExit = 0,  // the title bar's buttons: 0, 1, 2 and 24
  kHelp = 1,
  kMinimize = 2,
  kMoreGames = 3,
  kNewGame = 4,
  kPlay = 5,  // loaded, not shown
  kOptions = 6,
  kTopTen = 7,
  kYes = 8,  // also OK
  kNo = 9,   // also Cancel
  kOk = 10,  // loaded, not shown
  kClear = 11,
  kClose = 12,
  kSubmit = 13,
  kBack = 14,  // loaded, not shown
  kNext = 15,  // loaded, not shown
  kMenu = 16,  // loaded, not shown
  kWebLink = 17,
  kCheckBox = 18,  // the options' switches
  kRadioBox = 19,  // the options' level and mode
  kSpeedCell = 20,
  kHelpWords = 21,  // loaded, not shown
  kNextPage = 22,
  kPreviousPage = 23,
  kFullScreen = 24,
  kDemo = 25,
  kReplay = 26,
};

namespace catalogue {

constexpr int kButtonPictureCount = 27;  // "clp/buttons/%d.clp"
std::array<std::unique_ptr<OClipButton>, kButtonPictureCount>& buttonPictures();

// The loaded button, or null when it is not loaded; a value outside the table is a slip the check reports.
inline const OClipButton* Get(ButtonPicture picture) {
  const size_t i = size_t(picture);
  if (!GLOBBET_CHECK(i < buttonPictures().size(), "pass a ButtonPicture the table holds")) return nullptr;
  return buttonPictures()[i].get();
}

}  // namespace catalogue
