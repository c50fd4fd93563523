// OptionsDialog: the options dialog (450 x 565): sound, DirectSound, automatic resume and animation boxes
// beside the window size radio group, the looks of the ball colours with a box that puts every colour's
// symbol on, the game speed bar, and the level and mode radio groups. OK stores the choices, sizes the
// window anew and, when the level or mode changed, starts anew (asking first while a game is in
// progress); Cancel keeps everything as it was. Enter is OK, Escape is
// Cancel. While the Sound box is clear the DirectSound box is greyed and takes no clicks; it keeps its
// state.
#pragma once

#include <array>
#include <memory>

#include "engine/dialog_screen.h"
#include "store/options.h"

class StepSelector;
class SkinRow;
class Button;
class CheckBox;

class OptionsDialog : public DialogScreen {
 public:
  static constexpr int kWidth = 450, kHeight = 565;
  static constexpr int kBoxX = 115, kFirstBoxY = 75, kBoxGap = 5;
  static constexpr int kLevelBoxX = 35, kTypeBoxX = 203;
  static constexpr int kLevelBoxY[kLevelCount] = {365, 405, 445};
  static constexpr int kTypeBoxY[kGameModeCount] = {365, 405};
  static constexpr int kSymbolsX = 170, kSymbolsY = 250;
  // The window size boxes in two rows of two: 1x, 2x, then 3x and automatic.
  static constexpr int kSizeBoxX[2] = {262, 337};
  static constexpr int kSizeBoxY[2] = {112, 152};

  // The pictures, buttons, boxes, speed bar and skins row; the saved level and mode from the options.
  OptionsDialog(Window* window, int x, int y, int width, int height);
  ~OptionsDialog() override;

  // -- overrides --
  // The hover, then the skins row's ring.
  Control* OnMouseMove(int x, int y) override;
  // The press, then the skins row's press.
  Control* OnMouseDown(int x, int y) override;
  // The release; the boxes, the speed bar and the radio groups take the control hit, the skins row its
  // release; the symbols box then follows the swatches.
  Control* OnMouseUp(int x, int y) override;
  // The box toggles from the keyboard; the speed bar and the radio groups follow as after a click.
  void OnControlKeyed(Control* control) override;
  // Sets every control from the options (DirectSound as the player stands), remembers level and mode.
  void Enter(Screen** activeSlot) override;
  // OK or Cancel.
  void OnButtonCommand(Control* button) override;

  // Stores the choices and acts on a changed level or mode.
  void Ok();
  // Leaves, storing nothing.
  void Cancel() { Leave(); }

  // The level and the game type when the dialog was opened, for the new-game confirmation's roll-back.
  int savedLevel = 0;
  GameMode savedGameType = GameMode::kStrategy;

  // -- controls, for the tests --
  enum Switch { kSoundOn, kMixSounds, kAutoSave, kAnimate, kSwitchCount };
  CheckBox* SwitchBox(Switch s) const { return switches_[s]; }
  CheckBox* SymbolsBox() const { return symbols_; }
  // The pane that greys the DirectSound box and its label, or null before the first Enter.
  const Clip* MixVeil() const { return mixVeil_; }
  CheckBox* LevelBox(int level) const { return levels_[size_t(level)]; }
  CheckBox* TypeBox(GameMode mode) const { return types_[size_t(mode)]; }
  // The box of a window size (0 automatic, else the factor).
  CheckBox* SizeBox(int windowSize) const { return sizes_[size_t(windowSize)]; }
  StepSelector& SpeedBar() const { return *speed_; }
  SkinRow& SkinsRow() const { return *skins_; }
  Button* OkButton() const { return ok_; }

 private:
  // The speed bar, the radio groups, the swatches and the DirectSound box after control (one of their
  // boxes, or not) was pressed.
  void FollowBox(Control* control);
  // Greys the DirectSound box while the Sound box is clear.
  void FollowSound();
  // Checks the symbols box exactly when every swatch shows its symbol.
  void FollowSwatches();
  // Checks only boxes[index] of a radio group.
  template <size_t N>
  static void CheckOnly(const std::array<CheckBox*, N>& boxes, int index);
  // The index of the first checked box of a radio group, or fallback when none is.
  template <size_t N>
  static int FirstChecked(const std::array<CheckBox*, N>& boxes, int fallback);

  std::array<CheckBox*, kSwitchCount> switches_{};
  CheckBox* symbols_ = nullptr;
  Clip* mixVeil_ = nullptr;  // owned by the screen
  std::array<CheckBox*, kLevelCount> levels_{};
  std::array<CheckBox*, kGameModeCount> types_{};
  std::array<CheckBox*, kWindowSizeCount> sizes_{};  // by window size
  std::unique_ptr<StepSelector> speed_;
  std::unique_ptr<SkinRow> skins_;
  Button* ok_ = nullptr;
  Button* cancel_ = nullptr;
};
