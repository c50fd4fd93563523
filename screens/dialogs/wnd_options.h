// AWndOptions: the options dialog (450 x 565): sound, DirectSound, automatic resume and animation boxes,
// the game speed bar, the looks of the ball colours, and the level and mode radio groups. OK stores the
// choices and, when the level or mode changed, starts anew (asking first while a game is in progress);
// Cancel keeps everything as it was. Enter is OK, Escape is Cancel.
#pragma once

#include <array>
#include <memory>

#include "engine/kill_window_button.h"
#include "store/options.h"

class AProgressBar;
class ASkins;
class OClipButton;
class OClipCheckBox;

class AWndOptions : public OKillWindowButton {
 public:
  static constexpr int kWidth = 450, kHeight = 565;
  static constexpr int kBoxX = 115, kFirstBoxY = 75, kBoxGap = 5;
  static constexpr int kLevelBoxX = 35, kTypeBoxX = 203;
  static constexpr int kLevelBoxY[kLevelCount] = {365, 405, 445};
  static constexpr int kTypeBoxY[kGameTypeCount] = {384, 424};

  // The pictures, buttons, boxes, speed bar and skins row; the saved level and mode from the options.
  AWndOptions(OWindow* window, int x, int y, int width, int height);
  ~AWndOptions() override;

  // -- overrides --
  // The press, then the skins row's press.
  OClipControl* OnLButtonDown(int x, int y) override;
  // The release; the speed bar and the radio groups take the control hit, the skins row its release.
  OClipControl* OnLButtonUp(int x, int y) override;
  // Enter: OK; Escape: Cancel.
  void OnKeyUp(int key, int modifiers) override;
  // Sets every control from the options (DirectSound as the player stands), remembers level and mode.
  void Enter(OEngine** activeSlot) override;
  // OK or Cancel.
  void OnButtonCommand(OClipControl* button) override;

  // Stores the choices and acts on a changed level or mode.
  void Ok();
  // Leaves, storing nothing.
  void Cancel() { Leave(); }

  // The level and the game type when the dialog was opened, for the new-game confirmation's roll-back.
  int savedLevel = 0;
  GameMode savedGameType = GameMode::kStrategy;

  // -- controls, for the tests --
  enum Switch { kSoundOn, kDirectSound, kAutoSave, kAnimate, kSwitchCount };
  OClipCheckBox* SwitchBox(Switch s) const { return switches_[s]; }
  OClipCheckBox* LevelBox(int level) const { return levels_[size_t(level)]; }
  OClipCheckBox* TypeBox(GameMode mode) const { return types_[size_t(mode)]; }
  AProgressBar& SpeedBar() const { return *speed_; }
  ASkins& SkinsRow() const { return *skins_; }
  OClipButton* OkButton() const { return ok_; }

 private:
  // Checks only boxes[index] of a radio group.
  template <size_t N>
  static void CheckOnly(const std::array<OClipCheckBox*, N>& boxes, int index);
  // The index of the first checked box of a radio group, or fallback when none is.
  template <size_t N>
  static int FirstChecked(const std::array<OClipCheckBox*, N>& boxes, int fallback);

  std::array<OClipCheckBox*, kSwitchCount> switches_{};
  std::array<OClipCheckBox*, kLevelCount> levels_{};
  std::array<OClipCheckBox*, kGameTypeCount> types_{};
  std::unique_ptr<AProgressBar> speed_;
  std::unique_ptr<ASkins> skins_;
  OClipButton* ok_ = nullptr;
  OClipButton* cancel_ = nullptr;
};
