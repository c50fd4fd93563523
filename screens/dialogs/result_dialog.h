// ResultDialog: the result entry (336 x 510), opened when a game ends with a score. It shows the score,
// the bonus for the colours cleared and the total in ball letters, takes the player's name and files the
// result in the high-score table. OK (or Enter) stores, Cancel (or Escape) does not; either way the next
// game starts. A result that enters its top ten keeps the game's recording with it, and the top ten
// opens with its row highlighted. Closing the window stores, as OK does (AnswerCloseRequest).
#pragma once

#include <string>

#include "engine/dialog_screen.h"
#include "screens/ball_text.h"

class Button;
class EditBox;

class ResultDialog : public DialogScreen {
 public:
  static constexpr int kWidth = 336, kHeight = 510;
  static constexpr int kNameLength = 12;
  static constexpr int kBonusUnit = 10000;

  // The picture, the name box and the buttons.
  ResultDialog(Window* window, int x, int y, int width, int height);

  // -- overrides --
  // Writes score, bonus and total, puts the name in the box (selected), then enters.
  void Enter(Screen** activeSlot) override;
  // Takes the lines off, then leaves.
  void Leave() override;
  // OK or Cancel.
  void OnButtonCommand(Control* button) override;

  // Files the result (when the game scored) under the name typed, leaves, starts the next game.
  void Ok();
  // Leaves and starts the next game.
  void Cancel();

  // 10000 x (1 + 2 + ... + k) for k colours cleared (none below 1).
  static int Bonus(int coloursCleared);
  // The name to offer: kept when it is a real name, else the best of the level's strategy records,
  // and a blank or a level name becomes the level's name.
  static std::string DefaultName(const std::string& name, int level, const class ScoreTable& table);

  const std::string& PlayerName() const { return name_; }
  int Total() const { return total_; }
  EditBox* NameBox() const { return edit_; }
  const BallText& Line(int index) const { return lines_[size_t(index)]; }

 private:
  // Leaves and starts the next game.
  void Finish();
  // The rank (0..9) of the result just filed as record in its top ten, whose recording it then keeps
  // (the recordings of results pushed out go); -1 when it did not enter.
  int KeepRecording(const class MainScreen& main, const struct ScoreRecord& record) const;

  std::string name_;  // kept from one game to the next
  BallText lines_[3];
  int total_ = 0;
  EditBox* edit_ = nullptr;
  Button* ok_ = nullptr;
  Button* cancel_ = nullptr;
};
